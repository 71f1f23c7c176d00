// Runs the window tests inside one QApplication, on the offscreen platform
// unless the environment names another.

#include "app/application.hpp"
#include "build_tree_modules.hpp"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    testsupport::UseTheBuildTreesChartModule();
    QApplication application(argc, argv);
    app::ConfigureApplication();
    return RUN_ALL_TESTS();
}
