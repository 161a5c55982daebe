// How soon an alert is heard: the time from the sound action of an alert step (the calls
// it makes: opening and playing the sound file, playing it from the start again for a
// replay, or the beep)
// to the first audible sample that reaches the audio server, taken from a recorder on the
// sink's monitor in the same process (so one clock measures both ends). The figure
// includes the recorder's own latency of a few milliseconds.
//
//   alert_sound_bench first-file FILE   first play of a process (prints one figure)
//   alert_sound_bench first-beep        first beep of a process
//   alert_sound_bench later FILE N      N replays from the start, N new opens, N beeps
// Every line: "<what> <milliseconds>"; "rss-before-first-play"/"rss-after-first-play" in KiB.

#include "sound/SoundFilePlayer.h"
#include "sound/ToneBeeper.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace plimset;

long RssKib() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

// Listens on the monitor of the sink the sound goes to, through parec with a latency of
// 5 ms (Qt lists no monitor sources).
class Monitor {
public:
    Monitor() {
        const QString sink = qEnvironmentVariable("PLIMSET_PULSE_SINK");
        recorder_.start(QStringLiteral("parec"),
                        {QStringLiteral("-d"), sink + QStringLiteral(".monitor"),
                         QStringLiteral("--raw"), QStringLiteral("--rate=44100"),
                         QStringLiteral("--channels=1"), QStringLiteral("--format=s16le"),
                         QStringLiteral("--latency-msec=5")});
        if (!recorder_.waitForStarted()) {
            std::fprintf(stderr, "parec did not start\n");
            std::exit(2);
        }
        io_ = &recorder_;
        QTest::qWait(300);
    }
    ~Monitor() {
        recorder_.terminate();
        recorder_.waitForFinished();
    }

    // Waits until the sink has been quiet for 300 ms.
    void WaitForQuiet() {
        QElapsedTimer quiet;
        quiet.start();
        while (quiet.elapsed() < 300) {
            QTest::qWait(5);
            if (Loudest(io_->readAll()) >= 0) {
                quiet.restart();
            }
        }
    }

    // Milliseconds from `start` to the first loud sample, or -1 after 3 s.
    double Onset(const QElapsedTimer& start) {
        while (start.elapsed() < 3000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            const QByteArray data = io_->readAll();
            const qint64 now = start.nsecsElapsed();
            const int first = Loudest(data);
            if (first >= 0) {
                const int after = static_cast<int>(data.size() / 2) - first;
                return (static_cast<double>(now) / 1e6) - 1000.0 * after / rate;
            }
        }
        return -1;
    }

private:
    // The index of the first sample above the threshold, or -1.
    static int Loudest(const QByteArray& data) {
        const auto* s = reinterpret_cast<const qint16*>(data.constData());
        for (int i = 0; i < data.size() / 2; ++i) {
            if (std::abs(s[i]) > threshold) {
                return i;
            }
        }
        return -1;
    }

    static constexpr int rate = 44100;
    // About -54 dBFS: the first trace of the sound (the default sound file starts softly).
    static constexpr int threshold = 64;
    QProcess recorder_;
    QIODevice* io_ = nullptr;
};

void Print(const char* what, double value) {
    std::printf("%s %.1f\n", what, value);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr,
                     "usage: alert_sound_bench first-file FILE | first-beep | later FILE N\n");
        return 2;
    }
    const long rssStart = RssKib();
    Monitor monitor;
    SoundFilePlayer player;
    ToneBeeper beeper;
    monitor.WaitForQuiet();
    QElapsedTimer start;

    if (args[0] == u"first-beep") {
        start.start();
        beeper.Beep(1);
        Print("first-beep", monitor.Onset(start));
        return 0;
    }
    const QString file = args.value(1);
    if (args[0] == u"first-file") {
        Print("rss-before-first-play", static_cast<double>(RssKib()));
        start.start();
        player.State();
        player.Open(file);
        player.PlayFromStart();
        Print("first-file", monitor.Onset(start));
        QTest::qWait(1000);
        Print("rss-after-first-play", static_cast<double>(RssKib()));
        Print("rss-at-start", static_cast<double>(rssStart));
        return 0;
    }
    const int n = args.value(2, QStringLiteral("10")).toInt();
    player.Open(file);
    player.PlayFromStart();
    for (int i = 0; i < n; ++i) {
        (void)QTest::qWaitFor([&] { return player.State() == SoundState::Stopped; }, 10000);
        monitor.WaitForQuiet();
        start.start();
        player.State();
        player.PlayFromStart();
        Print("replay", monitor.Onset(start));
    }
    for (int i = 0; i < n; ++i) {
        (void)QTest::qWaitFor([&] { return player.State() == SoundState::Stopped; }, 10000);
        player.Close();
        monitor.WaitForQuiet();
        start.start();
        player.State();
        player.Open(file);
        player.PlayFromStart();
        Print("later-open-play", monitor.Onset(start));
    }
    for (int i = 0; i < n; ++i) {
        monitor.WaitForQuiet();
        start.start();
        beeper.Beep(1);
        Print("later-beep", monitor.Onset(start));
    }
    return 0;
}
