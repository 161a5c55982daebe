#include "text/Captions.h"

#include "core/CommandLine.h"
#include "desktop/QtFontProbe.h"
#include "desktop/QtTranslation.h"
#include "text/LanguageChoice.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
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

// A window with a menu, a sub-menu the window does not own, buttons, a group box and
// labels; all carry caption sources except `Untagged`.
struct SampleForm {
    QMainWindow Window;
    QWidget* Central = new QWidget(&Window);
    QMenu* Settings = Window.menuBar()->addMenu("settings");
    std::unique_ptr<QMenu> Modes = std::make_unique<QMenu>("modes");
    QAction* Alarm = Modes->addAction("alarm");
    QPushButton* Ok = new QPushButton("ok", Central);
    QPushButton* Untagged = new QPushButton("Stay", Central);
    QGroupBox* Tray = new QGroupBox("tray", Central);
    QLabel* Label = new QLabel("label", Central);
    QLabel* BuddyLabel = new QLabel("buddy", Central);

    SampleForm() {
        Window.menuBar()->addMenu(Modes.get());
        BuddyLabel->setBuddy(new QLineEdit(Central));
        Window.setCentralWidget(Central);
        SetCaptionSource(&Window, "OptionsDialog", "Options");
        SetCaptionSource(Settings, "MainWindow", "&Options...");
        SetCaptionSource(Modes->menuAction(), "MainWindow", "CountDown");
        SetCaptionSource(Alarm, "MainWindow", "Alarm");
        SetCaptionSource(Ok, "OptionsDialog", "&OK");
        SetCaptionSource(Tray, "OptionsDialog", "TaskTray && TaskBar");
        SetCaptionSource(Label, "OptionsDialog", "TaskTray && TaskBar");
        SetCaptionSource(BuddyLabel, "OptionsDialog", "&Browse");
    }
};

TEST(CaptionWindow, CaptionsTaggedObjectsWithAccessKeysAsQtMarksThem) {
    SampleForm form;
    CaptionWindow(&form.Window);

    EXPECT_EQ(form.Window.windowTitle(), "Options");
    EXPECT_EQ(form.Settings->title(), "&Options...");
    EXPECT_EQ(form.Modes->title(), "CountDown");
    EXPECT_EQ(form.Alarm->text(), "Alarm");
    EXPECT_EQ(form.Ok->text(), "&OK");
    EXPECT_EQ(form.Tray->title(), "TaskTray && TaskBar");
    EXPECT_EQ(form.BuddyLabel->text(), "&Browse");
    // A label without a buddy would show the marks literally, so it gets the plain caption.
    EXPECT_EQ(form.Label->text(), "TaskTray & TaskBar");
    EXPECT_EQ(form.Untagged->text(), "Stay");

    EXPECT_EQ(form.Ok->accessibleName(), "OK");
    EXPECT_EQ(form.Tray->accessibleName(), "TaskTray & TaskBar");

    // A window title shows no marks.
    SetCaptionSource(&form.Window, "MainWindow", "&Always on Top");
    CaptionWindow(&form.Window);
    EXPECT_EQ(form.Window.windowTitle(), "Always on Top");
    EXPECT_EQ(WithoutMnemonic("&&&x y&"), "&x y");
}

TEST(CaptionWindow, SwitchesLanguageBothWays) {
    SampleForm form;
    QtTranslation translation;
    translation.UseLanguage("ja");
    CaptionWindow(&form.Window);
    EXPECT_EQ(form.Window.windowTitle(), "オプション");
    EXPECT_EQ(form.Alarm->text(), "アラーム");
    EXPECT_EQ(form.Ok->text(), "決定(&O)");
    EXPECT_EQ(form.Ok->accessibleName(), "決定(O)");
    EXPECT_EQ(form.Tray->title(), "タスクトレイ ＆ タスクバー");
    // The command line's messages too, as they always read in Japanese.
    EXPECT_EQ(ParseCommandLine("/X", "").Message, "不正なコマンドです。\r\n\r\n");
    EXPECT_EQ(ParseCommandLine("1 2", "").Message, "引数の数が不正です。\r\n\r\n");
    EXPECT_EQ(ParseCommandLine(QString(10000, u'1'), "").Message,
              "引数は9999文字以内で入力して下さい。");

    translation.UseLanguage("");
    CaptionWindow(&form.Window);
    EXPECT_EQ(form.Alarm->text(), "Alarm");
}

// Most Linux desktops, these test machines included, have a Japanese font but neither of
// the two named faces; Japanese must stay available there.
TEST(QtFontProbe, KeepsJapaneseWithoutTheNamedFaces) {
    const QtFontProbe probe;
    EXPECT_TRUE(probe.HasFamily("dejavu sans"));
    EXPECT_FALSE(probe.HasFamily("No Such Family 4711"));
    if (QFontDatabase::families(QFontDatabase::Japanese).isEmpty())
        GTEST_SKIP() << "no Japanese font installed";
    const LanguageChoice choice =
        ChooseLanguage(LanguageSetting::Japanese, InterfaceLanguage::English, probe);
    EXPECT_EQ(choice.Interface, InterfaceLanguage::Japanese);
    EXPECT_FALSE(choice.NonJapanese);
    // Of the fixed-width and proportional IPA pair, the proportional face is the closer match
    // to the preferred face.
    const QString best = BestJapaneseFamily();
    EXPECT_FALSE(best.isEmpty());
    if (QFontDatabase::families(QFontDatabase::Japanese).contains("IPAPGothic")) {
        EXPECT_EQ(best, "IPAPGothic");
    }
}

} // namespace
} // namespace plimset
