#include "text/Captions.h"
#include "text/LanguageChoice.h"

#include "core/CommandLine.h"
#include "desktop/QtTranslation.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <memory>

namespace plimset {
namespace {

// Buttons, group boxes, menus (also one the window does not own) and labels take their
// access keys as Qt marks them; a label without a buddy, a window title and the names a
// screen reader speaks show none. Captions follow the installed language both ways.
TEST(CaptionWindow, CaptionsTaggedObjectsInTheInterfaceLanguage) {
    QMainWindow window;
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    const auto modes = std::make_unique<QMenu>("modes");
    window.menuBar()->addMenu(modes.get());
    QAction* alarm = modes->addAction("alarm");
    auto* ok = new QPushButton("ok", central);
    auto* untagged = new QPushButton("Stay", central);
    auto* tray = new QGroupBox("tray", central);
    auto* label = new QLabel("label", central);
    auto* buddyLabel = new QLabel("buddy", central);
    buddyLabel->setBuddy(new QLineEdit(central));
    SetCaptionSource(&window, "MainWindow", "&Always on Top");
    SetCaptionSource(modes->menuAction(), "MainWindow", "CountDown");
    SetCaptionSource(alarm, "MainWindow", "Alarm");
    SetCaptionSource(ok, "OptionsDialog", "&OK");
    SetCaptionSource(tray, "OptionsDialog", "TaskTray && TaskBar");
    SetCaptionSource(label, "OptionsDialog", "TaskTray && TaskBar");
    SetCaptionSource(buddyLabel, "OptionsDialog", "&Browse");
    CaptionWindow(&window);
    const auto shown = [&] {
        return QStringList{
            window.windowTitle(), modes->title(),  alarm->text(),          ok->text(),
            ok->accessibleName(), tray->title(),   tray->accessibleName(), buddyLabel->text(),
            label->text(),        untagged->text()}
            .join(u'|');
    };
    const QString english = "Always on Top|CountDown|Alarm|&OK|OK|TaskTray && TaskBar|"
                            "TaskTray & TaskBar|&Browse|TaskTray & TaskBar|Stay";
    EXPECT_EQ(shown(), english);
    QtTranslation translation;
    translation.UseLanguage("ja");
    CaptionWindow(&window);
    EXPECT_EQ(alarm->text() + ok->text() + u'|' + ok->accessibleName(), "アラーム決定(&O)|決定(O)");
    // The command line's messages follow the language like every other text.
    EXPECT_EQ(ParseCommandLine("1 2", "").Message, "引数の数が不正です。\r\n\r\n");
    translation.UseLanguage("");
    CaptionWindow(&window);
    EXPECT_EQ(shown(), english);
}

struct FakeFontProbe : FontProbe {
    FakeFontProbe(const QString& family, bool japanese) : Family(family), Japanese(japanese) {}
    QString Family;
    bool Japanese;
    bool HasFamily(const QString& family) const override { return family == Family; }
    bool HasJapaneseFont() const override { return Japanese; }
};

using enum InterfaceLanguage;

// LANGUAGE's list (the first with a catalogue; English counts as one), then LC_ALL, then
// LC_MESSAGES, then LANG, with encodings and variants as Qt reads them.
TEST(SessionLanguage, FirstOfTheSessionsLanguagesWithACatalogueAsQtReadsThem) {
    const std::pair<LocaleEnvironment, InterfaceLanguage> cases[] = {
        {{"", "", "", "de_DE.UTF-8"}, German},
        {{"", "", "", "ja_JP.eucJP"}, Japanese},
        {{"", "", "", "fr_CA.UTF-8@euro"}, French},
        {{"", "", "", "es"}, Spanish},
        {{"", "", "", "zh_SG"}, SimplifiedChinese},
        {{"", "", "", "zh_TW.UTF-8"}, English}, // traditional characters: no catalogue
        {{"", "", "", ""}, English},
        {{"", "", "fr_FR", "de_DE"}, French},
        {{"", "C", "fr_FR", "de_DE"}, English},
        {{"es:de", "C", "fr_FR", "de_DE"}, Spanish},
        {{"pt_BR:zh_Hant_TW:de", "", "", "ja_JP"}, German},
        {{"en_GB:de", "", "", "de_DE"}, English},
        {{"zh-Hans-CN", "", "", ""}, SimplifiedChinese},
        {{"::", "", "", "ja_JP"}, Japanese},
    };
    for (const auto& [e, language] : cases)
        EXPECT_EQ(SessionLanguage(e), language)
            << (e.language + " " + e.lcAll + " " + e.lcMessages + " " + e.lang).toStdString();
}

// System Default follows the session; without a Japanese font, English stands in for
// Japanese and nothing else changes. Either named face alone or another Japanese face
// counts as one.
TEST(ChooseLanguage, EveryOptionSessionLanguageAndFontSituation) {
    const QList<FakeFontProbe> situations{{QString::fromUtf16(JapanesePreferredFamily), false},
                                          {QString::fromUtf16(JapaneseFallbackFamily), false},
                                          {"IPAPGothic", true},
                                          {"DejaVu Sans", false}};
    const QStringList catalogues{"", "ja", "de", "fr", "es", "zh_CN"};
    for (const FakeFontProbe& probe : situations) {
        const bool japaneseFont = probe.Family != "DejaVu Sans";
        for (const InterfaceLanguage session : {English, Japanese, German}) {
            for (int i = 0; i < catalogues.size(); ++i) {
                const auto option = LanguageSetting(i + 1);
                EXPECT_EQ(CatalogueName(InterfaceLanguage(i)), catalogues[i]);
                for (const LanguageSetting asked : {option, LanguageSetting::System}) {
                    const InterfaceLanguage wanted =
                        asked == LanguageSetting::System ? session : InterfaceLanguage(i);
                    const bool forced = wanted == Japanese && !japaneseFont;
                    const LanguageChoice choice = ChooseLanguage(asked, session, probe);
                    EXPECT_EQ(std::tie(choice.Interface, choice.Language, choice.NonJapanese),
                              std::tuple(forced ? English : wanted,
                                         forced ? LanguageSetting::English : asked, !japaneseFont))
                        << probe.Family.toStdString() << int(session) << int(asked);
                }
            }
        }
    }
}

} // namespace
} // namespace plimset
