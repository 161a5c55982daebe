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

// Changes a user typically makes in the Options dialog.
void edit(OptionSettings& o) {
    std::fill(o.alarmPresets.begin(), o.alarmPresets.end(), std::chrono::minutes(0));
    o.alarmPresets[0] = o.minutesToAdd = std::chrono::minutes(15);
    o.countDownPresets[0] = TimeValueDuration(1.3f);
    o.ringDuration = TimeValueDuration(0.1f);
    o.soundSource = SoundSource::Beep;
    o.beepCount = 4;
    o.showAlertWindow = o.repeatCountDown = false;
    o.trayIcon = o.progressAlways = true;
    std::tie(o.displayLength, o.hotkey, o.language) = std::tuple(7, 665, LanguageSetting::English);
    o.englishAlarmText1 = QStringLiteral("Wake up");
}

} // namespace

TEST(SettingsCorpus, LoadsToTheSameMeaningAndSavesTheSameBytes) {
    std::map<QString, QString> expected;
    for (const QByteArray& line :
         readBytes(PLIMSET_SOURCE_DIR "/tests/unit/settings/SettingsCorpus.expected").split('\n'))
        if (const qsizetype space = line.indexOf(' '); space > 0)
            expected[QString::fromUtf8(line.left(space))] = QString::fromUtf8(line.mid(space + 1));
    const QString corpus = QStringLiteral(PLIMSET_SOURCE_DIR "/fuzz/corpus/");
    QString written;
    for (const char* folder : {"option_records/", "settings_read/", "settings_write/"}) {
        for (const QString& entry : QDir(corpus + folder).entryList(QDir::Files, QDir::Name)) {
            const QString name = QLatin1String(folder) + entry;
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("plimset.ini"));
            writeBytes(path, readBytes(corpus + name));
            SettingsFile file(path);
            const auto load = [&file] {
                return LoadOptionSettings(
                    file, QStringLiteral("/usr/share/alarm.oga"),
                    MessageTextDefaults{"a1", "a1j", "c1", "c2", "c1j", "c2j"});
            };
            // Each stage: what the file means, then its bytes, untouched and edited.
            QStringList stages, hashes;
            OptionSettings current = load();
            OptionSettings edited = current;
            for (const auto& change : {+[](OptionSettings&) {}, +edit}) {
                change(edited);
                ASSERT_TRUE(SaveOptionSettings(file, current, edited)) << name.toStdString();
                stages << dump(load()) + QString::fromUtf8(readBytes(path));
                hashes << QString::fromLatin1(
                    QCryptographicHash::hash(stages.last().toUtf8(), QCryptographicHash::Sha1)
                        .toHex()
                        .left(16));
            }
            const QString got = hashes.join(u' ');
            written += name + u' ' + got + u'\n';
            const auto it = expected.find(name);
            EXPECT_TRUE(it != expected.end() && it->second == got)
                << name.toStdString() << " got " << got.toStdString() << '\n'
                << stages.join(QStringLiteral("\n-----\n")).toStdString();
        }
    }
    EXPECT_EQ(written.count(u'\n'), qsizetype(expected.size()));
    if (const QByteArray out = qgetenv("PLIMSET_WRITE_CORPUS_EXPECTED"); !out.isEmpty())
        writeBytes(QString::fromLocal8Bit(out), written.toUtf8());
}
