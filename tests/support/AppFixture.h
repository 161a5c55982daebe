#pragma once

#include "FakeAlertServices.h"
#include "FakeClock.h"
#include "FakeWindowServices.h"
#include "app/App.h"
#include "desktop/FontProbe.h"

#include <QAction>
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

class NoJapaneseFonts : public FontProbe {
public:
    bool HasFamily(const QString&) const override { return false; }
    bool HasJapaneseFont() const override { return false; }
};

struct Message {
    QString Text;
    MessageStyle Style;
};

// The whole program over a settings file in a folder of its own, with a clock at 10:00,
// no Japanese fonts and window services that only record. Widgets are found by their
// design names.
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
            .soundCommands = soundCommands,
            .settingsFilePath = SettingsPath(),
            .locale = QLocale(QLocale::English, QLocale::UnitedStates),
            .arguments = arguments,
            .showMessage =
                [this](QWidget*, const QString& text, MessageStyle style) {
                    messages.push_back({text, style});
                },
        });
        window = &app->Window();
        return app->Startup();
    }

    template <typename T> T* Find(const char* name) const {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString Text() const { return Find<QLineEdit>("Text1")->text(); }
    void Type(const QString& keys) {
        QLineEdit* field = Find<QLineEdit>("Text1");
        for (QChar c : keys)
            QTest::keyClick(field, c.toLatin1());
    }
    // The user's verbs.
    void PressAction() { Find<QPushButton>("Command2")->click(); }
    // Picks a mode from the Mode menu by its place there (the default order is
    // CountDown, Alarm, StopWatch).
    void ChooseModeItem(int place) {
        Find<QAction>(QStringLiteral("MNU_Mode_Col_%1").arg(place).toLatin1().constData())
            ->trigger();
    }

    QTemporaryDir dir;
    FakeClock clock{10 * 3600};
    NoJapaneseFonts fonts;
    FakeWindowServices services;
    FakeActivation activation;
    FakeBeeper beeper;
    FakeCommandInterpreter soundCommands;
    std::vector<Message> messages;
    std::unique_ptr<App> app;
    MainWindow* window = nullptr;
};

} // namespace plimset
