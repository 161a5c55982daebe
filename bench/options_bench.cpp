// The Options dialog's two costs a user waits for: from choosing Mode > Options... until
// the dialog is shown, and one save of the changed keys. The dialog is opened over the real
// program (App) with MaxCol 5 and 99 preset slots; the save writes two changed keys, and
// every key of [Option], into a settings file, in one batch as the dialog does.
//
//   options_bench [RUNS]     median and fastest time of each, in milliseconds
//
// Runs on the platform Qt chooses (QT_QPA_PLATFORM=offscreen for no display).

#include "app/App.h"
#include "core/Clock.h"
#include "desktop/DbusDesktopNotifier.h"
#include "desktop/GlobalHotkey.h"
#include "desktop/QtFontProbe.h"
#include "desktop/WindowActivation.h"
#include "desktop/WindowServices.h"
#include "settings/OptionTable.h"
#include "settings/SaveOptionSettings.h"
#include "settings/SettingsFile.h"
#include "sound/SoundFilePlayer.h"
#include "sound/ToneBeeper.h"
#include "ui/options/OptionsDialog.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace plimset {
namespace {

struct Figures {
    double median = 0;
    double fastest = 0;
};

Figures Summarize(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front()};
}

// Catches the dialog's first paint (it is on the screen), notes the time and closes it.
class ShownWatch : public QObject {
public:
    QElapsedTimer clock;
    double shownAfter = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && shownAfter < 0 &&
            watched->objectName() == QLatin1String("Form2")) {
            shownAfter = clock.nsecsElapsed() / 1e6;
            auto* dialog = static_cast<OptionsDialog*>(watched);
            QTimer::singleShot(0, dialog, [dialog] { dialog->close(); });
        }
        return false;
    }
};

Figures TimeOpening(int maxCol, int runs) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimset.ini"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QStringLiteral("[Advanced]\nMaxCol=%1\n").arg(maxCol).toUtf8());
    file.close();
    SystemClock clock;
    QtFontProbe fonts;
    const std::unique_ptr<WindowServices> services = MakeWindowServices();
    const std::unique_ptr<GlobalHotkey> hotkey = CreateGlobalHotkey();
    DbusDesktopNotifier notifier(QStringLiteral("plimset"));
    const std::unique_ptr<WindowActivation> activation = MakeWindowActivation();
    ToneBeeper beeper;
    SoundFilePlayer soundPlayer;
    App app(AppContext{
        .clock = clock,
        .fontProbe = fonts,
        .windowServices = *services,
        .windowActivation = *activation,
        .beeper = beeper,
        .soundPlayer = soundPlayer,
        .globalHotkey = *hotkey,
        .desktopNotifier = notifier,
        .settingsFilePath = path,
        .locale = QLocale::system(),
        .arguments = {},
        .showMessage = nullptr,
        .sayOnStandardError = nullptr,
        .askYesNo = nullptr,
    });
    app.Startup();
    QAction* item = app.Window().findChild<QAction*>(QStringLiteral("MNU_Option"));
    ShownWatch watch;
    qApp->installEventFilter(&watch);
    std::vector<double> times;
    for (int i = 0; i < runs + 1; ++i) {
        watch.shownAfter = -1;
        watch.clock.start();
        item->trigger();                    // returns once the dialog has closed again
        if (i > 0 && watch.shownAfter >= 0) // the first opening warms the caches
            times.push_back(watch.shownAfter);
    }
    qApp->removeEventFilter(&watch);
    app.Window().close();
    return times.empty() ? Figures{} : Summarize(times);
}

Figures TimeSave(bool everyKey, int runs) {
    QTemporaryDir dir;
    SettingsFile file(dir.filePath(QStringLiteral("plimset.ini")));
    OptionSettings current = LoadOptionSettings(file, QString());
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        OptionSettings edited = current;
        const bool odd = i % 2 != 0;
        edited.alarmPresets[0] = std::chrono::minutes(odd ? 15 : 20);
        edited.soundSource = odd ? SoundSource::Beep : SoundSource::None;
        if (everyKey) {
            edited.minutesToAdd = std::chrono::minutes(odd ? 11 : 12);
            edited.countDownPresets[1] = Seconds(odd ? 63 : 123);
            edited.repeatCountDown = odd;
            edited.playSoundToEnd = odd;
            edited.showAlertWindow = !odd;
            edited.ringDuration = Seconds(odd ? 10 : 20);
            edited.displayDuration = Seconds(odd ? 120 : 180);
            edited.alertWindowScale = odd ? 1.5 : 2;
            edited.trayIcon = edited.taskbarButton = edited.showProgress = edited.progressAlways =
                odd;
            edited.displayLength = odd ? 7 : 6;
            edited.hotkey = odd ? 665 : 0;
            edited.language = odd ? LanguageSetting::English : LanguageSetting::Japanese;
            const QString text = odd ? QStringLiteral("one") : QStringLiteral("two");
            edited.englishAlarmText1 = edited.englishAlarmText2 = edited.japaneseAlarmText1 =
                edited.japaneseAlarmText2 = edited.englishCountDownText1 =
                    edited.englishCountDownText2 = edited.japaneseCountDownText1 =
                        edited.japaneseCountDownText2 = text;
        }
        QElapsedTimer t;
        t.start();
        SaveOptionSettings(file, current, edited);
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return Summarize(times);
}

// For comparison: the same keys as the every-key save, each in a write of its own.
Figures TimeKeyByKey(int runs) {
    QTemporaryDir dir;
    SettingsFile file(dir.filePath(QStringLiteral("plimset.ini")));
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        for (const OptionKey& row : OptionTable()) {
            if (row.section == OptionSection::Option)
                file.WriteIniString(QStringLiteral("Option"), QLatin1String(row.key),
                                    QString::number(i));
        }
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return Summarize(times);
}

} // namespace
} // namespace plimset

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    using plimset::Figures;
    for (int maxCol : {5, 99}) {
        const Figures f = plimset::TimeOpening(maxCol, runs);
        std::printf("menu item to dialog shown, MaxCol %2d: median %.1f ms, fastest %.1f ms\n",
                    maxCol, f.median, f.fastest);
    }
    for (bool everyKey : {false, true}) {
        const Figures f = plimset::TimeSave(everyKey, runs * 5);
        std::printf("one save, %-14s: median %.2f ms, fastest %.2f ms\n",
                    everyKey ? "every key" : "two keys", f.median, f.fastest);
    }
    const Figures f = plimset::TimeKeyByKey(std::max(3, runs / 4));
    std::printf("every key, one write per key (for comparison): median %.2f ms\n", f.median);
    return 0;
}
