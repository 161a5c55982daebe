// Reads any key from any bytes: the value is the default or a trimmed single line of at
// most 255 bytes, and the number read agrees with the text.
#include "FuzzSupport.h"
#include "settings/SettingsFile.h"

#include <fuzzer/FuzzedDataProvider.h>

using plimset::SettingsFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    const QString section = QString::fromStdString(provider.ConsumeRandomLengthString(64));
    const QString key = QString::fromStdString(provider.ConsumeRandomLengthString(64));
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    plimset::fuzz::WriteScratchFile(QByteArray(rest.data(), qsizetype(rest.size())));

    const SettingsFile file(plimset::fuzz::ScratchFilePath());
    const QString missing = QStringLiteral("\x01missing");
    const QString value = file.ReadIniString(section, key, missing);
    if (value != missing) {
        // An empty value (also one of NULs and blanks) gives the default.
        FUZZ_CHECK(!value.isEmpty());
        FUZZ_CHECK(plimset::fuzz::Utf8Size(value) <= 255);
        FUZZ_CHECK(!value.contains(u'\n'));
        FUZZ_CHECK(value == value.trimmed());
    }

    const qint32 number = file.ReadIniInt(section, key, -7);
    if (value == missing) {
        FUZZ_CHECK(number == -7);
    } else if (value.isEmpty()) {
        FUZZ_CHECK(number == -7);
    } else if (!value.startsWith(u'-') && !value[0].isDigit()) {
        FUZZ_CHECK(number == 0);
    }
    const qint16 small = plimset::ReadIniInt16(file, section, key, 12345);
    FUZZ_CHECK(small == 12345 || small == number);
    return 0;
}
