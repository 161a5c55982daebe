// Writes a settings file many times over, so that a test can race it against writes of its
// own. Prints "ready" first.
//   FILE SECTION PREFIX COUNT: COUNT keys "<prefix><i>=<i>" into one section, one write per
//     key; prints "failed <i>" for each write that reported failure.
//   FILE positions COUNT: saves a window's state COUNT times, its Left and Top both i.
#include "settings/SettingsFile.h"
#include "settings/WindowSettings.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 5 && !(argc == 4 && qstrcmp(argv[2], "positions") == 0)) {
        std::fprintf(stderr, "usage: %s FILE SECTION PREFIX COUNT | FILE positions COUNT\n",
                     argv[0]);
        return 2;
    }
    plimset::SettingsFile file(QString::fromLocal8Bit(argv[1]));
    const int count = QString::fromLocal8Bit(argv[argc - 1]).toInt();
    std::puts("ready");
    std::fflush(stdout);
    if (argc == 4) {
        plimset::WindowSettings loaded;
        for (int i = 0; i < count; ++i) {
            plimset::WindowSettings current = loaded;
            current.Left = current.Top = i;
            plimset::SaveWindowSettings(file, loaded, current, true);
            loaded = current;
        }
        return 0;
    }
    const QString section = QString::fromLocal8Bit(argv[2]);
    const QString prefix = QString::fromLocal8Bit(argv[3]);
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        if (!file.WriteIniString(section, prefix + QString::number(i), QString::number(i))) {
            ++failures;
            std::printf("failed %d\n", i);
        }
    }
    std::fflush(stdout);
    return failures == 0 ? 0 : 1;
}
