#include "SettingsTestFiles.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// Whether a settings file is one that some number of whole writes made: a section line,
// then for each writer run its keys "R<run>_<i>=<i>" from 0 on without a gap. A write cut
// off in the middle would leave a broken line, a missing stretch or a missing section.
// Returns what is wrong, or "" and adds the keys found to `keys`.
QString CheckWholeWrites(const QByteArray& text, int& keys) {
    const QList<QByteArray> lines = text.split('\n');
    if (!text.isEmpty() && (lines.first() != "[Keys]" || !lines.last().isEmpty()))
        return QStringLiteral("no section line or no final line end");
    static const QRegularExpression line(QStringLiteral("^R(\\d+)_(\\d+)=\\2$"));
    QHash<int, int> next; // the index each run's next key must have
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QRegularExpressionMatch m = line.match(QString::fromLatin1(lines[i]));
        if (!m.hasMatch() || m.captured(2).toInt() != next[m.captured(1).toInt()]++)
            return QStringLiteral("broken line or gap: ") + QString::fromLatin1(lines[i]);
        ++keys;
    }
    return {};
}

// A writer process is killed with SIGKILL at a random moment while it saves key after key;
// after every kill the file must be whole. PLIMSET_KILL_SAVES sets how many saves the
// killed writers must have completed in all (the benchmark script asks for 1,000).
TEST(SettingsFileKill, AKilledSaveNeverLeavesAHalfWrittenFile) {
    const int wanted = qEnvironmentVariableIntValue("PLIMSET_KILL_SAVES") > 0
                           ? qEnvironmentVariableIntValue("PLIMSET_KILL_SAVES")
                           : 150;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimset.ini"));
    QRandomGenerator random(20261207);
    int saves = 0;
    int run = 0;
    for (; saves < wanted && run < 10 * wanted; ++run) {
        QProcess writer;
        writer.start(QStringLiteral(PLIMSET_WRITE_KEYS_HELPER),
                     {path, QStringLiteral("Keys"), QStringLiteral("R%1_").arg(run),
                      QStringLiteral("100000")});
        ASSERT_TRUE(writer.waitForStarted());
        ASSERT_TRUE(writer.waitForReadyRead(30000));
        QThread::usleep(random.bounded(1000, 40000));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(30000));

        int keys = 0;
        const QString fault = CheckWholeWrites(readBytes(path), keys);
        ASSERT_TRUE(fault.isEmpty()) << "after kill " << run << ": " << fault.toStdString();
        saves = keys;
    }
    EXPECT_GE(saves, wanted);
    RecordProperty("saves", saves);
    RecordProperty("kills", run);
}

} // namespace
