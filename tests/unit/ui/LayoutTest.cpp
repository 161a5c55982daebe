// Every window read whole in every language, with the default font and a wider one: no
// text wider than its control, no control over another. The program's layout is
// measured here through the style, independently of how the windows size themselves.

#include "AppFixture.h"
#include "LayoutCheck.h"
#include "ModalDriver.h"
#include "alerts/AlertWindow.h"
#include "core/AppState.h"
#include "ui/main/MainWindowNames.h"
#include "ui/options/OptionsDialog.h"
#include "ui/options/OptionsDialogNames.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMessageBox>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

using namespace plimset;
namespace names = plimset::options_names;

namespace {

struct Look {
    const char* name;
    QFont font;
};

// The desktop's default font, and DejaVu Sans at 11 points (wider than the default). The
// build runs these checks at 96 DPI and again at 120 DPI.
std::vector<Look> Looks() {
    QFont wide(QStringLiteral("DejaVu Sans"));
    wide.setPointSize(11);
    return {{"default font", QGuiApplication::font()}, {"DejaVu Sans 11 pt", wide}};
}

// The interface's languages in the order of the settings' Language values from 1, and a
// pseudo-language whose every text is 40 % longer with accented letters.
const char* const Languages[] = {"en", "ja", "de", "fr", "es", "zh_CN", "pseudo"};
const std::pair<const char*, const char*> AlertTexts[] = {
    {"MessageBoxTextA1_E=", "The set time has come."},
    {"MessageBoxTextC1_E=", "The countdown ended."},
    {"MessageBoxTextC2_E=", "Click on the stop button."}};

class LayoutTest : public AppFixture {
protected:
    void SetUp() override {
        fonts.japanese = true;
        original = QGuiApplication::font();
    }
    void TearDown() override {
        UseCatalogue(false);
        QApplication::setFont(original);
    }

    // Starts the program over these settings with this look, in this language: a catalogue
    // of the program's as the settings choose it, or the pseudo-language over English with
    // the alert's default texts as it shows them.
    bool StartWith(const Look& look, const char* language, const QByteArray& settings) {
        QApplication::setFont(look.font);
        const bool pseudo = QLatin1String(language) == "pseudo";
        UseCatalogue(pseudo);
        const auto option =
            std::find(std::begin(Languages), std::end(Languages), std::string_view(language)) -
            std::begin(Languages);
        QByteArray file =
            "[Option]\nLanguage=" + QByteArray::number(pseudo ? 1 : option + 1) + "\n";
        for (const auto& [key, text] : AlertTexts)
            file += pseudo ? key + QCoreApplication::translate("AlertTexts", text).toUtf8() + "\n"
                           : QByteArray();
        WriteSettings(file + settings);
        return !Start().has_value();
    }

    // Installs the pseudo-language's catalogue, made for these checks only.
    void UseCatalogue(bool pseudo) {
        QCoreApplication::removeTranslator(&catalogue);
        if (pseudo) {
            ASSERT_TRUE(catalogue.load(QStringLiteral(PLIMSET_PSEUDO_CATALOGUE)));
            QCoreApplication::installTranslator(&catalogue);
        }
    }

    static std::string Where(const Look& look, const char* language, const char* what) {
        return std::string(what) + ", " + look.name + ", " + language;
    }

    QFont original;
    QTranslator catalogue;
};

TEST_F(LayoutTest, OptionsDialogIsReadWholeWithEveryCaptionAndValue) {
    const QByteArray cases[] = {
        "[Advanced]\nMaxCol=5\n",
        // Many preset boxes, clock-style times and the file sound with a long path.
        "SoundFlag=1\nSoundFile=/usr/share/sounds/freedesktop/stereo/alarm-clock-elapsed.oga\n"
        "RingDuration=0.03\n[Advanced]\nMaxCol=99\nTimeSeparator=1\n",
        // The beep row in place of the file row; the desktop decides the hotkey.
        "SoundFlag=0\nHotkey=790\n",
    };
    for (const Look& look : Looks()) {
        for (const char* language : Languages) {
            for (const QByteArray& settings : cases) {
                // The line about who decides the hotkey, at its longest, with the button to
                // the desktop's settings; and where the desktop gives no shortcut.
                hotkey.binding = {};
                if (&settings == &cases[2])
                    hotkey.binding = {true, QStringLiteral("Meta + F12"), true, false};
                else if (&settings == &cases[1])
                    hotkey.binding.NoneOffered = true;
                ASSERT_TRUE(StartWith(look, language, settings));
                const std::string where = Where(look, language, settings.constData());
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
                    EXPECT_EQ(LayoutFaults(d, scrolls).join(QChar(10)).toStdString(), "") << where;
                    // The dialog keeps its arrangement: the groups in their places.
                    const auto at = [d](const char* name) {
                        return d->findChild<QWidget*>(QLatin1String(name))->geometry();
                    };
                    EXPECT_LT(at(names::SoundGroup).bottom(), at(names::AlertWindowGroup).top());
                    EXPECT_LT(at(names::AlertWindowGroup).right(), at(names::TrayGroup).left());
                    EXPECT_EQ(at(names::TrayGroup).left(), at(names::RestoreDefaultsGroup).left());
                    EXPECT_LT(at(names::RestoreDefaultsGroup).bottom(),
                              at(names::MessageTextsGroup).top());
                    EXPECT_LT(at(names::MessageTextsGroup).bottom(), at(names::OkButton).top());
                    EXPECT_EQ(at(names::AlarmText1Box).left(), at(names::CountDownText1Box).left());
                    EXPECT_EQ(at(names::AlarmText2Box).left(), at(names::CountDownText2Box).left());
                    EXPECT_EQ(at(names::TrayGroup).width(),
                              at(names::RestoreDefaultsGroup).width());
                    EXPECT_EQ(at(names::SoundGroup).width(), at(names::TrayGroup).width());
                    // The desktop's button beside the hotkey box, the note below both.
                    const auto shown = [d](const char* name) {
                        return d->findChild<QWidget*>(QLatin1String(name))->isVisible();
                    };
                    EXPECT_TRUE(!shown(names::ShortcutSettingsButton) ||
                                at(names::ShortcutSettingsButton).left() >
                                    at(names::HotkeyBox).right());
                    if (shown(names::HotkeyNote)) {
                        EXPECT_GT(at(names::HotkeyNote).top(), at(names::HotkeyBox).bottom());
                        EXPECT_LT(at(names::HotkeyNote).bottom(), at(names::LanguageList).top());
                        EXPECT_EQ(at(names::HotkeyNote).left(), at(names::HotkeyLabel).left());
                    }
                    d->close();
                });
                Find<QAction>(MainWindowNames::OptionsItem)->trigger();
            }
        }
    }
}

TEST_F(LayoutTest, AlertWindowShowsEveryLineWhole) {
    for (const Look& look : Looks()) {
        for (const char* language : Languages) {
            for (const char* size : {"1", "4"}) {
                ASSERT_TRUE(StartWith(look, language, "MessageBoxSize=" + QByteArray(size) + "\n"));
                for (TimerMode mode : {TimerMode::CountDown, TimerMode::Alarm}) {
                    ChooseMode(mode);
                    AlertWindow* alert = app->Alert().Window();
                    ASSERT_NE(alert, nullptr);
                    alert->show();
                    EXPECT_EQ(LayoutFaults(alert).join(QChar(10)).toStdString(), "")
                        << Where(look, language, size) << " mode " << static_cast<int>(mode);
                    alert->hide();
                }
            }
        }
    }
}

TEST_F(LayoutTest, MainWindowAndMessageBoxesAreReadWhole) {
    for (const Look& look : Looks()) {
        int shownInEnglish = 0;
        for (const char* language : Languages) {
            ASSERT_TRUE(StartWith(look, language, ""));
            EXPECT_EQ(LayoutFaults(window).join(QChar(10)).toStdString(), "")
                << Where(look, language, "main");
            // Every menu title that shows in English shows translated (the wide font hides
            // one at the window's designed width).
            const int shown = MenuTitlesShown(window->menuBar());
            shownInEnglish = language == Languages[0] ? shown : shownInEnglish;
            EXPECT_GE(shown, shownInEnglish) << Where(look, language, "menu bar");
            QMessageBox box(
                QMessageBox::Critical, QStringLiteral("Plimset"),
                QCoreApplication::translate("App", "Timeout error. The icon does not appear in "
                                                   "the notification area."),
                QMessageBox::Ok, window);
            box.show();
            EXPECT_EQ(LayoutFaults(&box).join(QChar(10)).toStdString(), "")
                << Where(look, language, "message");
        }
    }
}

} // namespace
