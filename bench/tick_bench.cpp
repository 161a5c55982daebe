// The cost of one tick of the timer engine in each mode, against a view that only keeps its
// texts and a clock that moves on to the moment the engine armed the next tick for (a
// shown second for a count, a few a minute for an armed alarm).
//
//   tick_bench [benchmark options]     Google Benchmark, nanoseconds per tick
//   tick_bench --loop MODE N           N ticks in a plain loop (MODE alarm, countdown or
//                                      stopwatch), for instruction counts under callgrind

#include "core/AlertOutput.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/OptionSettings.h"
#include "core/TimerEngine.h"
#include "core/TimerView.h"
#include "core/TrayTip.h"
#include "settings/OptionTable.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace plimset {
namespace {

class SteppingClock : public Clock {
public:
    double ContinuousSeconds() override { return seconds_; }
    QTime LocalTime() override {
        return QTime::fromMSecsSinceStartOfDay(
            static_cast<int>(std::fmod(seconds_, 86400.0) * 1000.0));
    }
    void Advance(int milliseconds) { seconds_ += milliseconds / 1000.0; }
    void Reset() { seconds_ = 9 * 3600.0; }

private:
    double seconds_ = 9 * 3600.0;
};

// No sound and no alert window: the benchmark measures the engine alone.
class SilentAlertOutput final : public AlertOutput {
public:
    void AlertStep(AlertParts) override {}
    void StopSound(SoundStop) override {}
    bool IsAlertWindowVisible() const override { return false; }
    void HideAlertWindow() override {}
    void RingAtNextSoundStep() override {}
    void PrepareSound() override {}
};

// No notification-area icon to carry the tip.
class NoTrayTip final : public TrayTip {
public:
    void SetTrayTip(const QString&) override {}
};

class QuietView : public TimerView {
public:
    QString TimeText() const override { return text_; }
    void SetTimeText(const QString& text) override { text_ = text; }
    void SetTimeTextLimit(int) override {}
    QString Caption() const override { return caption_; }
    void SetCaption(const QString& caption) override { caption_ = caption; }
    bool IsWindowVisible() const override { return true; }
    bool IsWindowMinimized() const override { return false; }
    void MinimizeWindow() override {}
    void SetActionCaption(const QString&) override {}
    void SetActionBold(bool) override {}
    void SetActionIcon(IconId) override {}
    void SetAccessKeyCaption(const QString&) override {}
    void ArmTick(int milliseconds) override { armedMs = milliseconds; }
    void StopTick() override {}
    void FocusActionButton() override {}
    void FocusTimeText() override {}
    void RebuildPresetMenu() override {}
    void SetTaskbarButton(bool) override {}

    int armedMs = 0;

private:
    QString text_;
    QString caption_;
};

// An engine in one mode, counting (or armed) and far from its end.
class Bench {
public:
    explicit Bench(TimerMode mode) : mode_(mode) {
        engine_.SetModeCaptions(QStringLiteral("Alarm"), QStringLiteral("CountDown"),
                                QStringLiteral("StopWatch"));
        engine_.SetMode(mode);
        Restart();
    }

    // Starts the count again at 9:00; a 600-minute countdown lasts 36000 ticks, the alarm
    // at 23:59 about 1800.
    void Restart() {
        clock_.Reset();
        if (mode_ == TimerMode::Alarm) {
            view_.SetTimeText(QStringLiteral("23:59"));
            engine_.TextChanged();
            return;
        }
        engine_.CancelRun();
        view_.SetTimeText(mode_ == TimerMode::CountDown ? QStringLiteral("600") : QString());
        engine_.TextChanged();
        engine_.PressActionButton();
    }

    void Tick() {
        clock_.Advance(view_.armedMs);
        engine_.Tick();
    }

private:
    TimerMode mode_;
    AppState state_;
    OptionSettings options_ = DefaultOptions();
    SteppingClock clock_;
    QuietView view_;
    SilentAlertOutput alert_;
    NoTrayTip tray_;
    TimerEngine engine_{state_, options_, clock_, view_, alert_, tray_};
};

constexpr long restartEvery = 1000;

void tickBenchmark(benchmark::State& state, TimerMode mode) {
    Bench bench(mode);
    long ticks = 0;
    for (auto _ : state) {
        if (++ticks % restartEvery == 0) {
            state.PauseTiming();
            bench.Restart();
            state.ResumeTiming();
        }
        bench.Tick();
    }
}

void AlarmArmed(benchmark::State& state) {
    tickBenchmark(state, TimerMode::Alarm);
}
void CountDownRunning(benchmark::State& state) {
    tickBenchmark(state, TimerMode::CountDown);
}
void StopWatchRunning(benchmark::State& state) {
    tickBenchmark(state, TimerMode::StopWatch);
}

BENCHMARK(AlarmArmed);
BENCHMARK(CountDownRunning);
BENCHMARK(StopWatchRunning);

int loop(const char* modeName, long ticks) {
    TimerMode mode = TimerMode::CountDown;
    if (std::strcmp(modeName, "alarm") == 0) {
        mode = TimerMode::Alarm;
    } else if (std::strcmp(modeName, "stopwatch") == 0) {
        mode = TimerMode::StopWatch;
    } else if (std::strcmp(modeName, "countdown") != 0) {
        std::fprintf(stderr, "unknown mode %s\n", modeName);
        return 2;
    }
    Bench bench(mode);
    for (long i = 1; i <= ticks; ++i) {
        if (i % restartEvery == 0) {
            bench.Restart();
        }
        bench.Tick();
    }
    return 0;
}

} // namespace
} // namespace plimset

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--loop") == 0) {
        return plimset::loop(argv[2], std::strtol(argv[3], nullptr, 10));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
