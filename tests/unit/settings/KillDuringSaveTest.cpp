#include "SettingsTestFiles.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

// A writer process is killed with SIGKILL at a random moment while it saves key after key.
// After every kill the file must be one that whole writes made: a section line, then each
// run's keys "R<run>_<i>=<i>" from 0 on without a gap, and a final line end.
// PLIMSET_KILL_SAVES sets how many saves the killed writers must have completed in all
// (the benchmark script asks for 1,000).
TEST(SettingsFileKill, AKilledSaveNeverLeavesAHalfWrittenFile) {
    int wanted = qEnvironmentVariableIntValue("PLIMSET_KILL_SAVES");
    wanted = wanted > 0 ? wanted : 150;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimset.ini"));
    const QRegularExpression keyLine(QStringLiteral("^R(\\d+)_(\\d+)=\\2$"));
    QRandomGenerator random(20261207);
    int saves = 0, run = 0;
    for (; saves < wanted && run < 10 * wanted; ++run) {
        QProcess writer;
        writer.start(QStringLiteral(PLIMSET_WRITE_KEYS_HELPER),
                     {path, "Keys", QStringLiteral("R%1_").arg(run), "100000"});
        ASSERT_TRUE(writer.waitForStarted() && writer.waitForReadyRead(30000));
        QThread::usleep(random.bounded(1000, 40000));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(30000));

        const QByteArray text = readBytes(path);
        const QList<QByteArray> lines = text.split('\n');
        ASSERT_TRUE(text.isEmpty() || (lines.first() == "[Keys]" && lines.last().isEmpty()))
            << "after kill " << run;
        QHash<int, int> next; // the index each run's next key must have
        for (saves = 0; saves + 2 < lines.size(); ++saves) {
            const auto m = keyLine.match(QString::fromLatin1(lines[saves + 1]));
            ASSERT_TRUE(m.hasMatch() && m.captured(2).toInt() == next[m.captured(1).toInt()]++)
                << "after kill " << run << ": " << lines[saves + 1].toStdString();
        }
    }
    EXPECT_GE(saves, wanted);
    RecordProperty("saves", saves);
    RecordProperty("kills", run);
}
