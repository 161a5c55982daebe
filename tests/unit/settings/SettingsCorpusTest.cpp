// Every settings file of the corpora loads to the same meaning and saves to the same bytes,
// untouched and after typical changes in the Options dialog. The expected hashes are in
// SettingsCorpus.expected; a case that fails prints what it got, and
// PLIMSET_WRITE_CORPUS_EXPECTED=<file> writes the hashes of the code as it stands.
// Against the code before the record was typed, the bytes matched for every file but one:
// the seed with hand-edited codes, whose TaskBar=2 reads as off and so stays unwritten
// when the taskbar button is turned off.
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

// What a record means, as the codes the settings file would store, with the seconds the
// engine counts.
QString dump(const OptionSettings& o) {
    QString text;
    for (const OptionKey& row : OptionTable())
        text += QLatin1String(row.key) + u'=' + StoredText(o, row) + u'\n';
    for (size_t i = 0; i < o.alarmPresets.size(); ++i)
        text += number(o.alarmPresets[i].count()) + u' ' +
                number(DurationTimeValue(o.countDownPresets[i])) + u'\n';
    for (const Seconds span : {o.ringDuration, o.displayDuration, o.largestTime})
        text += number(span.count()) + u'\n';
    return text + number(o.alarmCount) + u' ' + number(o.countDownCount) + u'\n';
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
    o.playSoundToEnd = o.showAlertWindow = o.showProgress = o.progressAlways = true;
    o.repeatCountDown = true;
    o.displayDuration = TimeValueDuration(0.3f);
    o.alertWindowScale = 1.5f;
    o.taskbarButton = false;
    o.language = LanguageSetting::Japanese;
}

QString hash(const QString& text) {
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
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
    const QString corpus = QStringLiteral(PLIMSET_SOURCE_DIR "/fuzz/corpus/");
    QString written;
    int files = 0;
    for (const char* folder : {"option_records/", "settings_read/", "settings_write/"}) {
        for (const QString& entry : QDir(corpus + folder).entryList(QDir::Files, QDir::Name)) {
            const QString name = QLatin1String(folder) + entry;
            SCOPED_TRACE(name.toStdString());
            ++files;
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("plimset.ini"));
            writeBytes(path, readBytes(corpus + name));
            SettingsFile file(path);
            const auto load = [&file] {
                return LoadOptionSettings(
                    file, QStringLiteral("/usr/share/alarm.oga"),
                    MessageTextDefaults{"a1", "a1j", "c1", "c2", "c1j", "c2j"});
            };
            // Each stage: what the file means, then its bytes.
            QStringList stages;
            OptionSettings current = load();
            OptionSettings edited = current;
            for (const auto& edit : {+[](OptionSettings&) {}, +editFirst, +editSecond}) {
                edit(edited);
                ASSERT_TRUE(SaveOptionSettings(file, current, edited));
                stages << dump(load()) + QString::fromUtf8(readBytes(path));
            }
            QStringList hashes;
            for (const QString& stage : stages)
                hashes << hash(stage);
            const QString got = hashes.join(u' ');
            written += name + u' ' + got + u'\n';
            const auto it = expected.find(name);
            EXPECT_TRUE(it != expected.end() && it->second == got)
                << "got " << got.toStdString() << '\n'
                << stages.join(QStringLiteral("\n-----\n")).toStdString();
        }
    }
    EXPECT_GE(files, 19);
    if (const QByteArray out = qgetenv("PLIMSET_WRITE_CORPUS_EXPECTED"); !out.isEmpty())
        writeBytes(QString::fromLocal8Bit(out), written.toUtf8());
}
