// Every settings file of the corpora loads to the same meaning and saves to the same bytes,
// untouched and after typical changes in the Options dialog. The expected hashes are in
// SettingsCorpus.expected; a case that fails prints what it got, and
// PLIMSET_WRITE_CORPUS_EXPECTED=<file> writes the hashes of the code as it stands.
#include "SettingsTestFiles.h"
#include "settings/OptionTable.h"
#include "settings/SaveOptionSettings.h"
#include "settings/SettingsFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using namespace plimset;

namespace {

QString number(double value) {
    return QString::number(value, 'g', 9);
}

// What the loaded record means, as the settings file's codes.
QString dump(const OptionSettings& o) {
    QStringList lines;
    const auto add = [&lines](const char* key, const QString& value) {
        lines << QLatin1String(key) + u'=' + value;
    };
    add("MaxCol", number(o.MaxCol));
    add("ModeOrder", o.ModeOrder);
    add("ButtonStyle", number(o.ButtonStyle));
    add("TimeSeparator", number(o.TimeSeparator));
    add("DesktopNotification", number(o.DesktopNotification != 0));
    QStringList alarms;
    for (const qint16 minutes : o.AlarmPresets)
        alarms << number(minutes);
    add("Alarms", alarms.join(u' '));
    QStringList countDowns;
    for (const float value : o.CountDownPresets)
        countDowns << number(value);
    add("CountDowns", countDowns.join(u' '));
    add("Counts", number(o.AlarmCount) + u' ' + number(o.CountDownCount));
    add("AddMinute", number(o.AddMinute));
    add("CountDownRepeat", number(o.CountDownRepeat == 1));
    add("SoundFlag", number(o.SoundFlag));
    add("SoundFile", o.SoundFile);
    add("SoundBeep", number(o.SoundBeep));
    add("SoundUntilEnd", number(o.SoundUntilEnd != 0));
    add("MessageBox", number(o.MessageBox == 1) + u' ' + number(o.MessageBox == 0));
    add("RingDuration", number(o.RingDuration));
    add("DisplayDuration", number(o.DisplayDuration));
    add("MessageBoxSize", number(o.MessageBoxSize));
    add("TaskTray", number(o.TaskTray == 1) + u' ' + number(o.TaskTray == 0));
    add("TaskBar", number(o.TaskBar == 1) + u' ' + number(o.TaskBar == 0));
    add("Progress", number(o.Progress == 1));
    add("ShowAlways", number(o.ShowAlways == 1));
    add("MaxLength", number(o.MaxLength));
    add("Hotkey", number(o.Hotkey));
    add("Language", number(o.Language));
    add("Texts", QStringList{o.MessageBoxTextA1_E, o.MessageBoxTextA2_E, o.MessageBoxTextA1_J,
                             o.MessageBoxTextA2_J, o.MessageBoxTextC1_E, o.MessageBoxTextC2_E,
                             o.MessageBoxTextC1_J, o.MessageBoxTextC2_J}
                     .join(u'|'));
    add("MaxTimeValue", number(o.MaxTimeValue));
    return lines.join(u'\n') + u'\n';
}

// Changes a user typically makes in the Options dialog; the second set turns most of them
// the other way.
void editFirst(OptionSettings& o) {
    std::fill(o.AlarmPresets.begin(), o.AlarmPresets.end(), qint16(0));
    o.AlarmPresets[0] = 15;
    std::fill(o.CountDownPresets.begin(), o.CountDownPresets.end(), 0.0f);
    o.CountDownPresets[0] = 1.3f;
    o.AddMinute = 15;
    o.SoundFlag = 0;
    o.SoundBeep = 4;
    o.RingDuration = 0.1f;
    o.MessageBox = 0;
    o.TaskTray = 1;
    o.MaxLength = 7;
    o.Hotkey = 665;
    o.Language = 1;
    o.MessageBoxTextA1_E = QStringLiteral("Wake up");
}

void editSecond(OptionSettings& o) {
    o.CountDownPresets[0] = 0.45f;
    o.SoundFlag = 1;
    o.SoundFile = QStringLiteral("/sounds/bell.oga");
    o.SoundUntilEnd = 1;
    o.MessageBox = 1;
    o.DisplayDuration = 0.3f;
    o.MessageBoxSize = 1.5f;
    o.TaskBar = 0;
    o.Progress = 1;
    o.ShowAlways = 1;
    o.CountDownRepeat = 1;
    o.Language = 2;
}

QString hash(const QByteArray& bytes) {
    return QString::fromLatin1(
        QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(16));
}

QStringList corpusFiles() {
    QStringList files;
    for (const char* folder : {"option_records", "settings_read", "settings_write"}) {
        const QDir dir(QStringLiteral(PLIMSET_SOURCE_DIR "/fuzz/corpus/") + QLatin1String(folder));
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            files << QLatin1String(folder) + u'/' + name;
    }
    return files;
}

std::map<QString, QString> expectedHashes() {
    std::map<QString, QString> expected;
    const QByteArray text = readBytes(
        QStringLiteral(PLIMSET_SOURCE_DIR "/tests/unit/settings/SettingsCorpus.expected"));
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype space = line.indexOf(' ');
        if (space > 0)
            expected[QString::fromUtf8(line.left(space))] = QString::fromUtf8(line.mid(space + 1));
    }
    return expected;
}

} // namespace

TEST(SettingsCorpus, LoadsToTheSameMeaningAndSavesTheSameBytes) {
    const std::map<QString, QString> expected = expectedHashes();
    const QStringList files = corpusFiles();
    ASSERT_GE(files.size(), 15);
    QString written;
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray original =
            readBytes(QStringLiteral(PLIMSET_SOURCE_DIR "/fuzz/corpus/") + name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("plimset.ini"));
        writeBytes(path, original);
        SettingsFile file(path);
        const auto load = [&file] {
            return LoadOptionSettings(file, QStringLiteral("/usr/share/alarm.oga"),
                                      MessageTextDefaults{"a1", "a1j", "c1", "c2", "c1j", "c2j"});
        };
        OptionSettings current = load();
        const QString meaning = dump(current);

        ASSERT_TRUE(SaveOptionSettings(file, current, OptionSettings(current)));
        const QByteArray untouched = readBytes(path);
        OptionSettings edited = current;
        editFirst(edited);
        ASSERT_TRUE(SaveOptionSettings(file, current, edited));
        const QByteArray first = readBytes(path);
        const QString firstMeaning = dump(load());
        editSecond(edited);
        ASSERT_TRUE(SaveOptionSettings(file, current, edited));
        const QByteArray second = readBytes(path);
        const QString secondMeaning = dump(load());

        const QString got =
            QStringList{hash(meaning.toUtf8()),      hash(untouched), hash(first),
                        hash(firstMeaning.toUtf8()), hash(second),    hash(secondMeaning.toUtf8())}
                .join(u' ');
        written += name + u' ' + got + u'\n';
        const auto it = expected.find(name);
        EXPECT_TRUE(it != expected.end() && it->second == got)
            << "got " << got.toStdString() << "\nmeaning:\n"
            << meaning.toStdString() << "after the first changes:\n"
            << first.toStdString() << "\nmeaning:\n"
            << firstMeaning.toStdString() << "after the second changes:\n"
            << second.toStdString() << "\nmeaning:\n"
            << secondMeaning.toStdString();
    }
    if (const QByteArray out = qgetenv("PLIMSET_WRITE_CORPUS_EXPECTED"); !out.isEmpty())
        writeBytes(QString::fromLocal8Bit(out), written.toUtf8());
}
