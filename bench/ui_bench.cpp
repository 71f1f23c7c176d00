// In-process timings of the calculator windows on the offscreen platform:
// creating the new-rules window on the first switch, and a section's click
// up to the moment its box is shown.

#include "app/application.hpp"
#include "app/editions.hpp"
#include "box_clock.hpp"

#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using bench::Clock;

void BM_FirstSwitchCreatesNewRulesWindow(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto editions = std::make_unique<app::Editions>();
        editions->start();
        app::Form& form1 = *editions->window(tax::Edition::OldRules);
        state.ResumeTiming();
        editions->switchEdition(form1);
        state.PauseTiming();
        benchmark::DoNotOptimize(editions->window(tax::Edition::NewRules));
        editions.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstSwitchCreatesNewRulesWindow)->Unit(benchmark::kMillisecond);

// The box clock stands where the real box would open: the time up to it is
// the reading, the rule and the formatting of the press.
void ClickToBox(benchmark::State& state, app::Control button, app::Control input,
                const char* text) {
    app::Editions editions;
    editions.start();
    app::Form& form = *editions.window(tax::Edition::OldRules);
    form.field(input).setText(QString::fromUtf8(text));
    auto* command = static_cast<QPushButton*>(form.control(button));
    for (auto _ : state) {
        bench::ResetBoxClock();
        const Clock::time_point pressed = Clock::now();
        command->click();
        state.SetIterationTime(
            std::chrono::duration<double>(bench::FirstBoxShown() - pressed).count());
    }
}
BENCHMARK_CAPTURE(ClickToBox, labour, app::Control::Command1, app::Control::Text8, "30000")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ClickToBox, wage, app::Control::Command2, app::Control::Text1, "35333.33")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ClickToBox, incidental, app::Control::Command7, app::Control::Text19, "20000")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// The offscreen platform cannot raise windows and says so on every switch.
void QuietAboutRaise(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (!message.contains(QLatin1String("does not support raise"))) {
        std::fprintf(stderr, "%d: %s\n", static_cast<int>(type), qPrintable(message));
    }
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietAboutRaise);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    app::ConfigureApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
