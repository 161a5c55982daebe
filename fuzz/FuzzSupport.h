#pragma once

// Helpers shared by the fuzz targets: a check that stops the run with a message (so
// libFuzzer records the input as a finding), and a scratch settings file per process.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            plimset::fuzz::CheckFailed(#condition, __FILE__, __LINE__);                            \
    } while (false)

namespace plimset::fuzz {

[[noreturn]] void CheckFailed(const char* condition, const char* file, int line);

// The path of this process's scratch settings file, in a folder of its own that is
// removed when the process ends normally.
QString ScratchFilePath();

// Replaces the scratch file's bytes.
void WriteScratchFile(const QByteArray& bytes);

// The scratch file's bytes, or an empty array when it is missing.
QByteArray ReadScratchFile();

// The number of bytes of a text's UTF-8 form.
qsizetype Utf8Size(const QString& text);

} // namespace plimset::fuzz
