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
    std::puts("ready");
    std::fflush(stdout);
    bool failed = false;
    for (int i = 0; i < QByteArray(argv[4]).toInt(); ++i) {
        if (!file.WriteIniString(argv[2], argv[3] + QString::number(i), QString::number(i))) {
            failed = true;
            std::printf("failed %d\n", i);
        }
    }
    std::fflush(stdout);
    return failed ? 1 : 0;
}
