#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace plimset::fuzz {

void CheckFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", condition, file, line);
    std::abort();
}

namespace {

// A folder in memory where there is one: the settings file is written, synced and
// replaced on every run.
QString ScratchParent() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
}

} // namespace

QString ScratchFilePath() {
    static QTemporaryDir folder(ScratchParent() + QStringLiteral("/plimset-fuzz-XXXXXX"));
    static const QString path = folder.filePath(QStringLiteral("plimset.ini"));
    return path;
}

void WriteScratchFile(const QByteArray& bytes) {
    QFile file(ScratchFilePath());
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

QByteArray ReadScratchFile() {
    QFile file(ScratchFilePath());
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

qsizetype Utf8Size(const QString& text) {
    return text.toUtf8().size();
}

} // namespace plimset::fuzz
