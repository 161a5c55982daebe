#pragma once

#include "FakeAlertServices.h"
#include "FakeClock.h"
#include "FakeDesktopNotifier.h"
#include "FakeGlobalHotkey.h"
#include "FakeSoundPlayer.h"
#include "FakeWindowServices.h"
#include "app/App.h"
#include "desktop/GlobalHotkey.h"
#include "text/FontProbe.h"
#include "ui/main/MainWindowNames.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

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
    void WriteSettings(const QByteArray& text) {
        QFile file(SettingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray ReadSettings() const {
        QFile file(SettingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
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
            .sayOnStandardError = [this](const QString& line) { errorLines.push_back(line); },
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
    template <typename T> T* Find(const char* name) const { return Find<T>(QLatin1String(name)); }
    QString Text() const { return Find<QLineEdit>(MainWindowNames::TimeField)->text(); }
    void Type(const QString& keys) {
        QLineEdit* field = Find<QLineEdit>(MainWindowNames::TimeField);
        for (QChar c : keys)
            QTest::keyClick(field, c.toLatin1());
    }
    // The user's verbs.
    void PressAction() { Find<QPushButton>(MainWindowNames::ActionButton)->click(); }
    // Picks a mode from the Mode menu, wherever the mode order put it.
    void ChooseMode(TimerMode mode) {
        static constexpr const char* Names[] = {"Alarm", "CountDown", "StopWatch"};
        const QString name =
            QCoreApplication::translate("MainWindow", Names[static_cast<int>(mode)]);
        for (int place = 0; place < 3; ++place) {
            auto* item = Find<QAction>(MainWindowNames::ModeItem(place));
            if (item->text() == name) {
                item->trigger();
                return;
            }
        }
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
    std::vector<QString> errorLines; // what went to standard error
    std::vector<QString> questions;
    bool answerYes = true;
    FakeSoundPlayer sound; // the alarm's and the test play's
    std::unique_ptr<App> app;
    MainWindow* window = nullptr;
};

} // namespace plimset
