#pragma once

#include "FakeAlertServices.h"
#include "FakeClock.h"
#include "FakeDesktopNotifier.h"
#include "FakeGlobalHotkey.h"
#include "FakeSoundPlayer.h"
#include "FakeWindowServices.h"
#include "SettingsTestFiles.h"
#include "app/App.h"
#include "desktop/GlobalHotkey.h"
#include "text/FontProbe.h"
#include "ui/main/MainWindowNames.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace plimset {

// By default no font can show Japanese; `japanese` installs one (as fontconfig would find
// it, not under the design's names).
class NoJapaneseFonts : public FontProbe {
public:
    bool HasFamily(const QString&) const override { return false; }
    bool HasJapaneseFont() const override { return japanese; }
    bool japanese = false;
};

struct Message {
    QString Text;
    MessageStyle Style;
};

// The whole program over a settings file in a folder of its own, with a clock at 10:00,
// no Japanese fonts and window services that only record. Widgets are found by their
// objectNames.
class AppFixture : public ::testing::Test {
protected:
    void WriteSettings(const QByteArray& text) { writeBytes(SettingsPath(), text); }
    QByteArray ReadSettings() const { return readBytes(SettingsPath()); }
    QString SettingsPath() const { return dir.filePath(QStringLiteral("plimset.ini")); }

    std::optional<int> Start(const QStringList& arguments = {}) {
        app.reset();
        app = std::make_unique<App>(AppContext{
            .clock = clock,
            .fontProbe = fonts,
            .windowServices = services,
            .windowActivation = activation,
            .beeper = beeper,
            .soundPlayer = sound,
            .globalHotkey = hotkey,
            .desktopNotifier = notifier,
            .settingsFilePath = SettingsPath(),
            .locale = QLocale(QLocale::English, QLocale::UnitedStates),
            .arguments = arguments,
            .showMessage =
                [this](QWidget*, const QString& text, MessageStyle style) {
                    messages.push_back({text, style});
                },
            .sayOnStandardError = [](const QString&) {},
            .askYesNo =
                [this](QWidget*, const QString& text) {
                    questions.push_back(text);
                    return answerYes;
                },
        });
        window = &app->Window();
        return app->Startup();
    }

    template <typename T> T* Find(const QString& name) const {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QString Text() const { return Find<QLineEdit>(MainWindowNames::TimeField)->text(); }
    void Type(const QString& keys) {
        QTest::keyClicks(Find<QLineEdit>(MainWindowNames::TimeField), keys);
    }
    void PressAction() { Find<QPushButton>(MainWindowNames::ActionButton)->click(); }
    // Picks a mode from the Mode menu, wherever the mode order put it.
    void ChooseMode(TimerMode mode) {
        const char* names[] = {"Alarm", "CountDown", "StopWatch"};
        const QString name = QCoreApplication::translate("MainWindow", names[int(mode)]);
        for (int place = 0; place < 3; ++place)
            if (auto* item = Find<QAction>(MainWindowNames::ModeItem(place)); item->text() == name)
                return item->trigger();
        ADD_FAILURE() << "no menu item for " << name.toStdString();
    }

    QTemporaryDir dir;
    FakeClock clock{10 * 3600};
    NoJapaneseFonts fonts;
    FakeWindowServices services;
    FakeActivation activation;
    FakeBeeper beeper;
    FakeGlobalHotkey hotkey;
    FakeDesktopNotifier notifier;
    std::vector<Message> messages;
    std::vector<QString> questions;
    bool answerYes = true;
    FakeSoundPlayer sound; // the alarm's and the test play's
    std::unique_ptr<App> app;
    MainWindow* window = nullptr;
};

} // namespace plimset
