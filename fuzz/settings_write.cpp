// Writes a key into any bytes: it reads back as written (line breaks removed, trimmed, at
// most 255 bytes), every other key keeps its value, and a refused write changes nothing.
#include "FuzzSupport.h"
#include "settings/SettingsFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QList>

#include <utility>
#include <vector>

using plimset::SettingsFile;

namespace {

using Name = std::pair<QString, QString>;

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString WithoutLineBreaks(QString text) {
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

// Blanks at either end go, NUL characters counting as blanks.
QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    const auto blank = [](QChar c) { return c.isSpace() || c.unicode() == 0; };
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// A name as the file holds it: on one line, trimmed, without byte-order marks before it.
QString NameAsStored(const QString& name) {
    QString stored = TrimBlanks(WithoutLineBreaks(name));
    while (stored.startsWith(QChar(0xFEFF)))
        stored = TrimBlanks(stored.mid(1));
    return stored;
}

// The section and key names the file's own lines mention, read by a deliberately plain
// scan: names are taken as stored, "[" opens a section, "key=value" names a key.
std::vector<Name> NamesIn(const QByteArray& bytes) {
    std::vector<Name> names;
    QString section;
    for (const QByteArray& line : bytes.split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (text.startsWith(u'[')) {
            const qsizetype close = text.indexOf(u']');
            section = NameAsStored(close < 0 ? text.mid(1) : text.mid(1, close - 1));
        } else if (text.contains(u'=') && !text.startsWith(u';') && names.size() < 16) {
            names.emplace_back(section, NameAsStored(text.left(text.indexOf(u'='))));
        }
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    const QString section = QString::fromStdString(provider.ConsumeRandomLengthString(64));
    const QString key = QString::fromStdString(provider.ConsumeRandomLengthString(64));
    const QString value = QString::fromStdString(provider.ConsumeRandomLengthString(400));
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    const QByteArray before(rest.data(), qsizetype(rest.size()));
    plimset::fuzz::WriteScratchFile(before);

    SettingsFile file(plimset::fuzz::ScratchFilePath());
    const QString missing = QStringLiteral("\x01missing");
    const std::vector<Name> others = NamesIn(before);
    std::vector<QString> valuesBefore;
    for (const auto& [s, k] : others) {
        valuesBefore.push_back(file.ReadIniString(s, k, missing));
    }

    const bool written = file.WriteIniString(section, key, value);
    if (!written) {
        FUZZ_CHECK(plimset::fuzz::ReadScratchFile() == before);
        return 0;
    }

    // The names as the file holds them once written.
    const QString sectionName = NameAsStored(section);
    const QString keyName = NameAsStored(key);
    const QString stored =
        TrimBlanks(plimset::LeftBytes(TrimBlanks(WithoutLineBreaks(value)), 255));
    const QString readBack = file.ReadIniString(sectionName, keyName, missing);
    if (stored.isEmpty()) {
        // An empty value reads back as the default.
        FUZZ_CHECK(readBack == missing);
    } else {
        FUZZ_CHECK(readBack == stored);
    }

    for (size_t i = 0; i < others.size(); ++i) {
        const auto& [s, k] = others[i];
        if (SameName(s, sectionName) && SameName(k, keyName)) {
            continue;
        }
        FUZZ_CHECK(file.ReadIniString(s, k, missing) == valuesBefore[i]);
    }
    return 0;
}
