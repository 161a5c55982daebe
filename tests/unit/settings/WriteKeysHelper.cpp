// Writes COUNT keys "<prefix><i>=<i>" into one section of a settings file, one write per
// key, so that a test can race it against writes of its own or kill it on its way. Prints
// "ready" first, and "failed <i>" for each write that reported failure.
#include "settings/SettingsFile.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s FILE SECTION PREFIX COUNT\n", argv[0]);
        return 2;
    }
    plimset::SettingsFile file(QString::fromLocal8Bit(argv[1]));
    const QString section = QString::fromLocal8Bit(argv[2]);
    const QString prefix = QString::fromLocal8Bit(argv[3]);
    const int count = QString::fromLocal8Bit(argv[4]).toInt();
    std::puts("ready");
    std::fflush(stdout);
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
