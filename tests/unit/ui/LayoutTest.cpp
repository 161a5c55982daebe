// Every window read whole in every language, with the default font and a wider one: no
// text wider than its control, no control over another. The program's layout is
// measured here through the style, independently of how the windows size themselves.

#include "AppFixture.h"
#include "LayoutCheck.h"
#include "ModalDriver.h"
#include "alerts/AlertWindow.h"
#include "ui/main/MainWindowNames.h"
#include "ui/options/OptionsDialog.h"
#include "ui/options/OptionsDialogNames.h"

#include <QApplication>
#include <QMessageBox>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace plimset;
namespace names = plimset::options_names;

namespace {

// The interface's languages in the order of the settings' Language values from 1, and a
// pseudo-language whose every text is 40 % longer with accented letters.
const char* const Languages[] = {"en", "ja", "de", "fr", "es", "zh_CN", "pseudo"};
const std::pair<const char*, const char*> AlertTexts[] = {
    {"MessageBoxTextA1_E=", "The set time has come."},
    {"MessageBoxTextC1_E=", "The countdown ended."},
    {"MessageBoxTextC2_E=", "Click on the stop button."}};

class LayoutTest : public AppFixture {
protected:
    void SetUp() override { fonts.japanese = true; }
    void TearDown() override {
        QCoreApplication::removeTranslator(&catalogue);
        QApplication::setFont(original);
    }

    // Starts the program over these settings with this font, in the language at `index`: a
    // catalogue of the program's as the settings choose it, or the pseudo-language (made
    // for these checks only) over English with the alert's default texts as it shows them.
    bool StartWith(const QFont& font, int index, const QByteArray& settings) {
        QApplication::setFont(font);
        QCoreApplication::removeTranslator(&catalogue);
        const bool pseudo = index == 6;
        QByteArray file = "[Option]\nLanguage=" + QByteArray::number(pseudo ? 1 : index + 1) + "\n";
        if (pseudo) {
            if (!catalogue.load(QStringLiteral(PLIMSET_PSEUDO_CATALOGUE)))
                return false;
            QCoreApplication::installTranslator(&catalogue);
            for (const auto& [key, text] : AlertTexts)
                file += key + QCoreApplication::translate("AlertTexts", text).toUtf8() + "\n";
        }
        WriteSettings(file + settings);
        return !Start().has_value();
    }

    const QFont original = QGuiApplication::font();
    QTranslator catalogue;
};

// Each language with each look over three settings files: the main window, its menu bar and
// a message box; the Options dialog (many preset boxes, clock-style times, the file sound
// with a long path, the beep row, the desktop's hotkey line) and the alert window in both
// modes at its smallest and largest size.
TEST_F(LayoutTest, EveryWindowIsReadWholeInEveryLanguage) {
    const QByteArray cases[] = {
        "MessageBoxSize=1\n[Advanced]\nMaxCol=5\n",
        "MessageBoxSize=4\nSoundFlag=1\nRingDuration=0.03\n"
        "SoundFile=/usr/share/sounds/freedesktop/stereo/alarm-clock-elapsed.oga\n"
        "[Advanced]\nMaxCol=99\nTimeSeparator=1\n",
        "SoundFlag=0\nHotkey=790\n",
    };
    // The desktop's default font, and DejaVu Sans at 11 points (wider than the default). The
    // build runs these checks at 96 DPI and again at 120 DPI.
    const std::pair<const char*, QFont> looks[] = {{"default font", original},
                                                   {"DejaVu Sans 11 pt", {"DejaVu Sans", 11}}};
    for (const auto& [look, font] : looks) {
        int shownInEnglish = 0;
        for (int language = 0; language < 7; ++language) {
            for (const QByteArray& settings : cases) {
                const std::string where =
                    std::string(look) + ", " + Languages[language] + ", " + settings.constData();
                // The line about who decides the hotkey, at its longest, with the button to
                // the desktop's settings; and where the desktop gives no shortcut.
                hotkey.binding = {};
                if (&settings == &cases[2])
                    hotkey.binding = {true, QStringLiteral("Meta + F12"), true, false};
                hotkey.binding.NoneOffered = &settings == &cases[1];
                ASSERT_TRUE(StartWith(font, language, settings));
                EXPECT_EQ(LayoutFaults(window), "") << where;
                // Every menu title that shows in English shows translated (the wide font
                // hides one at the window's designed width).
                const int shown = MenuTitlesShown(window->menuBar());
                shownInEnglish = language == 0 ? shown : shownInEnglish;
                EXPECT_GE(shown, shownInEnglish) << where;
                QMessageBox box(
                    QMessageBox::Critical, QStringLiteral("Plimset"),
                    QCoreApplication::translate("App", "Timeout error. The icon does not appear in "
                                                       "the notification area."),
                    QMessageBox::Ok, window);
                box.show();
                EXPECT_EQ(LayoutFaults(&box), "") << where;

                WhenModalOpens<OptionsDialog>([&](OptionsDialog* d) {
                    EXPECT_EQ(d->windowTitle(),
                              QCoreApplication::translate("OptionsDialog", "Options"))
                        << where;
                    const auto scrolls = [](const QWidget* w) {
                        const QString n = w->objectName();
                        return n == QLatin1String(names::AlarmViewport) ||
                               n == QLatin1String(names::CountDownViewport) ||
                               n == QLatin1String(names::SoundFileBox);
                    };
                    EXPECT_EQ(LayoutFaults(d, scrolls), "") << where;
                    // The groups keep their places and columns, the texts' boxes line up; the
                    // desktop's button beside the hotkey box, the note below both.
                    const auto at = [d](const char* name) {
                        return d->findChild<QWidget*>(QLatin1String(name))->geometry();
                    };
                    EXPECT_LT(at(names::SoundGroup).bottom(), at(names::AlertWindowGroup).top());
                    EXPECT_LT(at(names::AlertWindowGroup).right(), at(names::TrayGroup).left());
                    EXPECT_LT(at(names::RestoreDefaultsGroup).bottom(),
                              at(names::MessageTextsGroup).top());
                    EXPECT_LT(at(names::MessageTextsGroup).bottom(), at(names::OkButton).top());
                    EXPECT_EQ(at(names::TrayGroup).left(), at(names::RestoreDefaultsGroup).left());
                    EXPECT_EQ(at(names::AlarmText1Box).left(), at(names::CountDownText1Box).left());
                    EXPECT_EQ(at(names::AlarmText2Box).left(), at(names::CountDownText2Box).left());
                    EXPECT_EQ(at(names::TrayGroup).width(),
                              at(names::RestoreDefaultsGroup).width());
                    EXPECT_EQ(at(names::SoundGroup).width(), at(names::TrayGroup).width());
                    const auto shown = [d](const char* name) {
                        return d->findChild<QWidget*>(QLatin1String(name))->isVisible();
                    };
                    EXPECT_TRUE(!shown(names::ShortcutSettingsButton) ||
                                at(names::ShortcutSettingsButton).left() >
                                    at(names::HotkeyBox).right());
                    EXPECT_TRUE(!shown(names::HotkeyNote) ||
                                (at(names::HotkeyNote).top() > at(names::HotkeyBox).bottom() &&
                                 at(names::HotkeyNote).bottom() < at(names::LanguageList).top() &&
                                 at(names::HotkeyNote).left() == at(names::HotkeyLabel).left()));
                    d->close();
                });
                Find<QAction>(MainWindowNames::OptionsItem)->trigger();

                for (TimerMode mode : {TimerMode::CountDown, TimerMode::Alarm}) {
                    ChooseMode(mode);
                    AlertWindow* alert = app->Alert().Window();
                    ASSERT_NE(alert, nullptr);
                    alert->show();
                    EXPECT_EQ(LayoutFaults(alert), "")
                        << where << " mode " << static_cast<int>(mode);
                    alert->hide();
                }
            }
        }
    }
}

} // namespace
