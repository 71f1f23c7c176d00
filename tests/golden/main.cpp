// Runs the reference-image tests with everything that could change a pixel
// held still: the style, a caret that does not blink, the offscreen platform.

#include "app/application.hpp"
#include "build_tree_modules.hpp"

#include <QApplication>
#include <QStyleHints>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    testsupport::UseTheBuildTreesChartModule();
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QGuiApplication::styleHints()->setCursorFlashTime(0);
    app::ConfigureApplication();
    return RUN_ALL_TESTS();
}
