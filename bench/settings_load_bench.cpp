// The cost of loading the settings at start-up (window settings, then option settings, each
// through a SettingsFile of its own as the main window does) from a file padded with other
// sections to the given size in KiB, the real keys at its end.
//
//   settings_load_bench [benchmark options]     Google Benchmark, time per start-up load

#include "settings/OptionTable.h"
#include "settings/SettingsFile.h"
#include "settings/WindowSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace plimset {
namespace {

void StartupLoad(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimset.ini"));
    QByteArray data;
    for (int section = 0; data.size() < state.range(0) * 1024; ++section) {
        data += "[Other" + QByteArray::number(section) + "]\n";
        for (int key = 0; key < 50; ++key)
            data += "Key" + QByteArray::number(key) + "=some value of a length like others\n";
    }
    data += "[MainForm]\nStartForm=3\nLeft=1200\n[Option]\nAddMinute=15\nSoundBeep=3\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    file.close();
    for (auto _ : state) {
        const WindowSettings window = ReadWindowSettings(SettingsFile(path), WindowSettings());
        const OptionSettings options = LoadOptionSettings(SettingsFile(path), QString());
        benchmark::DoNotOptimize(window.Left);
        benchmark::DoNotOptimize(options.minutesToAdd);
    }
    state.counters["file_bytes"] = double(data.size());
}
BENCHMARK(StartupLoad)->Arg(16)->Arg(256)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace plimset

BENCHMARK_MAIN();
