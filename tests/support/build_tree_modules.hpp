#pragma once
// The window tests load the chart module of their own build tree, unless
// TOVARIN_CHART_MODULE_DIR already names a folder (an empty one tests the window without it).

#include <QByteArray>
#include <QtGlobal>

namespace testsupport {

inline void UseTheBuildTreesChartModule() {
    if (qEnvironmentVariableIsEmpty("TOVARIN_CHART_MODULE_DIR")) {
        qputenv("TOVARIN_CHART_MODULE_DIR", TOVARIN_CHART_MODULE_BUILD_DIR);
    }
}

}  // namespace testsupport
