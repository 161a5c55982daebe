// Every settings file of the corpora loads to the same meaning and saves to the same bytes,
// untouched and after typical changes in the Options dialog. The expected hashes are in
// SettingsCorpus.expected; a case that fails prints what it got, and
// PLIMSET_WRITE_CORPUS_EXPECTED=<file> writes the hashes of the code as it stands.
// The seed with hand-edited codes reads MessageBox=-3 as on and TaskTray=5, TaskBar=2 as
// off (what most readers made of them), and an off TaskBar=2 stays unwritten when the
// dialog turns the taskbar button off.
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
    const auto flag = [](bool on) { return number(on) + u' ' + number(!on); };
    add("MaxCol", number(o.presetSlots));
    QString order;
    for (const TimerMode mode : o.modeOrder)
        order += QString::number(static_cast<int>(mode));
    add("ModeOrder", order);
    add("ButtonStyle", number(static_cast<int>(o.buttonFace)));
    add("TimeSeparator", number(static_cast<int>(o.timeSeparator)));
    add("DesktopNotification", number(o.desktopNotification));
    QStringList alarms;
    for (const std::chrono::minutes minutes : o.alarmPresets)
        alarms << number(minutes.count());
    add("Alarms", alarms.join(u' '));
    QStringList countDowns;
    for (const Seconds value : o.countDownPresets)
        countDowns << number(DurationTimeValue(value));
    add("CountDowns", countDowns.join(u' '));
    add("Counts", number(o.alarmCount) + u' ' + number(o.countDownCount));
    add("AddMinute", number(o.minutesToAdd.count()));
    add("CountDownRepeat", number(o.repeatCountDown));
    add("SoundFlag", number(static_cast<int>(o.soundSource)));
    add("SoundFile", o.soundFile);
    add("SoundBeep", number(o.beepCount));
    add("SoundUntilEnd", number(o.playSoundToEnd));
    add("MessageBox", flag(o.showAlertWindow));
    add("RingDuration", number(DurationTimeValue(o.ringDuration)));
    add("DisplayDuration", number(DurationTimeValue(o.displayDuration)));
    add("MessageBoxSize", number(o.alertWindowScale));
    add("TaskTray", flag(o.trayIcon));
    add("TaskBar", flag(o.taskbarButton));
    add("Progress", number(o.showProgress));
    add("ShowAlways", number(o.progressAlways));
    add("MaxLength", number(o.displayLength));
    add("Hotkey", number(o.hotkey));
    add("Language", number(static_cast<int>(o.language)));
    add("Texts", QStringList{o.englishAlarmText1, o.englishAlarmText2, o.japaneseAlarmText1,
                             o.japaneseAlarmText2, o.englishCountDownText1, o.englishCountDownText2,
                             o.japaneseCountDownText1, o.japaneseCountDownText2}
                     .join(u'|'));
    add("MaxTimeValue", number(DurationTimeValue(o.largestTime)));
    return lines.join(u'\n') + u'\n';
}

// Changes a user typically makes in the Options dialog; the second set turns most of them
// the other way.
void editFirst(OptionSettings& o) {
    using std::chrono::minutes;
    std::fill(o.alarmPresets.begin(), o.alarmPresets.end(), minutes(0));
    o.alarmPresets[0] = minutes(15);
    std::fill(o.countDownPresets.begin(), o.countDownPresets.end(), Seconds(0));
    o.countDownPresets[0] = TimeValueDuration(1.3f);
    o.minutesToAdd = minutes(15);
    o.soundSource = SoundSource::Beep;
    o.beepCount = 4;
    o.ringDuration = TimeValueDuration(0.1f);
    o.showAlertWindow = false;
    o.trayIcon = true;
    o.displayLength = 7;
    o.hotkey = 665;
    o.language = LanguageSetting::English;
    o.englishAlarmText1 = QStringLiteral("Wake up");
}

void editSecond(OptionSettings& o) {
    o.countDownPresets[0] = TimeValueDuration(0.45f);
    o.soundSource = SoundSource::File;
    o.soundFile = QStringLiteral("/sounds/bell.oga");
    o.playSoundToEnd = true;
    o.showAlertWindow = true;
    o.displayDuration = TimeValueDuration(0.3f);
    o.alertWindowScale = 1.5f;
    o.taskbarButton = false;
    o.showProgress = true;
    o.progressAlways = true;
    o.repeatCountDown = true;
    o.language = LanguageSetting::Japanese;
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
