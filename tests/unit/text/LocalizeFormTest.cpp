#include "text/LocalizeForm.h"

#include "desktop/QtFontProbe.h"
#include "text/StringTable.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>

namespace plimset {
namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// A small window with a menu bar, a sub-menu that the window does not own, buttons, boxes and
// labels; some carry text ids, some do not.
class SampleForm {
public:
    QMainWindow Window;
    QMenu* SettingsMenu;
    QAction* TopAction;
    QAction* FontAction;
    QAction* PlainAction;
    std::unique_ptr<QMenu> ModeMenu; // added to the bar but owned here, outside the window
    QAction* AlarmAction;
    QPushButton* Ok;
    QPushButton* Untagged;
    QCheckBox* Repeat;
    QRadioButton* Beep;
    QGroupBox* TrayGroup;
    QLabel* PlainLabel;
    QLabel* BuddyLabel;
    QLineEdit* Edit;

    SampleForm() {
        SetTextId(&Window, 101);
        SettingsMenu = Window.menuBar()->addMenu("settings");
        SetTextId(SettingsMenu, 269);
        TopAction = SettingsMenu->addAction("top");
        SetTextId(TopAction, 251);
        FontAction = SettingsMenu->addAction("font");
        SetTextId(FontAction, 252);
        PlainAction = SettingsMenu->addAction("Keep me");

        ModeMenu = std::make_unique<QMenu>("mode");
        Window.menuBar()->addMenu(ModeMenu.get());
        SetTextId(ModeMenu->menuAction(), 602);
        AlarmAction = ModeMenu->addAction("alarm");
        SetTextId(AlarmAction, 601);

        auto* central = new QWidget;
        auto* layout = new QVBoxLayout(central);
        Ok = new QPushButton("ok");
        SetTextId(Ok, 301);
        Untagged = new QPushButton("Stay");
        Repeat = new QCheckBox("repeat");
        SetTextId(Repeat, 726);
        Beep = new QRadioButton("beep");
        SetTextId(Beep, 734);
        TrayGroup = new QGroupBox("tray");
        SetTextId(TrayGroup, 705);
        PlainLabel = new QLabel("plain");
        SetTextId(PlainLabel, 705);
        Edit = new QLineEdit;
        BuddyLabel = new QLabel("buddy");
        BuddyLabel->setBuddy(Edit);
        SetTextId(BuddyLabel, 304);
        for (QWidget* widget : {static_cast<QWidget*>(Ok), static_cast<QWidget*>(Untagged),
                                static_cast<QWidget*>(Repeat), static_cast<QWidget*>(Beep),
                                static_cast<QWidget*>(TrayGroup), static_cast<QWidget*>(PlainLabel),
                                static_cast<QWidget*>(BuddyLabel), static_cast<QWidget*>(Edit)})
            layout->addWidget(widget);
        Window.setCentralWidget(central);
    }
};

TEST(LocalizeForm, CaptionsEveryTaggedObjectInEnglish) {
    SampleForm form;
    LocalizeForm(&form.Window, EnglishOffset);

    EXPECT_EQ(form.Window.windowTitle(), "Options");
    EXPECT_EQ(form.SettingsMenu->title(), "&Options...");
    EXPECT_EQ(form.SettingsMenu->menuAction()->text(), "&Options...");
    EXPECT_EQ(form.TopAction->text(), "&Always on Top");
    EXPECT_EQ(form.FontAction->text(), "&Font...");
    EXPECT_EQ(form.ModeMenu->menuAction()->text(), "CountDown");
    EXPECT_EQ(form.AlarmAction->text(), "Alarm");
    EXPECT_EQ(form.Ok->text(), "&OK");
    EXPECT_EQ(form.Repeat->text(), "Repeat at the end");
    EXPECT_EQ(form.Beep->text(), "Beep");
    EXPECT_EQ(form.TrayGroup->title(), "TaskTray && TaskBar");
    EXPECT_EQ(form.BuddyLabel->text(), "&Browse");
    // A label without a buddy cannot show an access key, so it shows the plain caption.
    EXPECT_EQ(form.PlainLabel->text(), "TaskTray & TaskBar");

    // Untagged objects keep their captions.
    EXPECT_EQ(form.Untagged->text(), "Stay");
    EXPECT_EQ(form.PlainAction->text(), "Keep me");
    EXPECT_TRUE(form.Edit->text().isEmpty());
}

TEST(LocalizeForm, MarksAccessKeysAsQtDoes) {
    SampleForm form;
    LocalizeForm(&form.Window, EnglishOffset);

    EXPECT_EQ(QKeySequence::mnemonic(form.Ok->text()), QKeySequence(Qt::ALT | Qt::Key_O));
    EXPECT_EQ(QKeySequence::mnemonic(form.TopAction->text()), QKeySequence(Qt::ALT | Qt::Key_A));
    // "&&" is a literal ampersand, never an access key.
    EXPECT_TRUE(QKeySequence::mnemonic(form.TrayGroup->title()).isEmpty());

    EXPECT_EQ(form.Ok->accessibleName(), "OK");
    EXPECT_EQ(form.TrayGroup->accessibleName(), "TaskTray & TaskBar");
    EXPECT_EQ(form.BuddyLabel->accessibleName(), "Browse");
    EXPECT_TRUE(form.Untagged->accessibleName().isEmpty());
}

TEST(LocalizeForm, SwitchesBetweenLanguages) {
    SampleForm form;
    LocalizeForm(&form.Window, JapaneseOffset);

    EXPECT_EQ(form.Window.windowTitle(), Utf8("オプション"));
    EXPECT_EQ(form.SettingsMenu->title(), Utf8("オプション(&O)..."));
    EXPECT_EQ(form.TopAction->text(), Utf8("常に手前に表示(&A)"));
    EXPECT_EQ(form.ModeMenu->menuAction()->text(), Utf8("カウントダウン"));
    EXPECT_EQ(form.AlarmAction->text(), Utf8("アラーム"));
    EXPECT_EQ(form.Ok->text(), Utf8("決定(&O)"));
    EXPECT_EQ(form.Ok->accessibleName(), Utf8("決定(O)"));
    EXPECT_EQ(QKeySequence::mnemonic(form.Ok->text()), QKeySequence(Qt::ALT | Qt::Key_O));
    EXPECT_EQ(form.TrayGroup->title(), Utf8("タスクトレイ ＆ タスクバー"));
    EXPECT_EQ(form.Untagged->text(), "Stay");

    LocalizeForm(&form.Window, EnglishOffset);
    EXPECT_EQ(form.Window.windowTitle(), "Options");
    EXPECT_EQ(form.Ok->text(), "&OK");
    EXPECT_EQ(form.AlarmAction->text(), "Alarm");
}

TEST(LocalizeForm, WindowTitleShowsNoAccessKeyMarks) {
    QWidget window;
    SetTextId(&window, 251);
    LocalizeForm(&window, EnglishOffset);
    EXPECT_EQ(window.windowTitle(), "Always on Top");
    LocalizeForm(nullptr, EnglishOffset); // nothing to do, and no fault
}

TEST(WithoutMnemonic, RemovesMarksAndKeepsLiteralAmpersands) {
    EXPECT_EQ(WithoutMnemonic("E&xit"), "Exit");
    EXPECT_EQ(WithoutMnemonic("A && B"), "A & B");
    EXPECT_EQ(WithoutMnemonic("&&&x"), "&x");
    EXPECT_EQ(WithoutMnemonic("end&"), "end");
    EXPECT_EQ(WithoutMnemonic(""), "");
}

TEST(TextId, ReadsWhatWasSetAndZeroOtherwise) {
    QObject object;
    EXPECT_EQ(TextId(&object), 0);
    SetTextId(&object, 753);
    EXPECT_EQ(TextId(&object), 753);
    object.setProperty(TextIdProperty, "not a number");
    EXPECT_EQ(TextId(&object), 0);
}

// The test machines carry a Japanese font but neither of the two named faces, as most Linux
// desktops do; Japanese must stay available there.
TEST(QtFontProbe, FindsJapaneseFontsWithoutTheNamedFaces) {
    const QtFontProbe probe;
    EXPECT_TRUE(probe.HasFamily("DejaVu Sans"));
    EXPECT_TRUE(probe.HasFamily("dejavu sans"));
    EXPECT_FALSE(probe.HasFamily("No Such Family 4711"));
    EXPECT_FALSE(probe.HasFamily(""));

    if (QFontDatabase::families(QFontDatabase::Japanese).isEmpty())
        GTEST_SKIP() << "no Japanese font installed";
    EXPECT_TRUE(probe.HasJapaneseFont());
    const LanguageChoice choice = ChooseLanguage(2, QLocale(QLocale::English), probe);
    EXPECT_EQ(choice.LanguageOffset, JapaneseOffset);
    EXPECT_FALSE(choice.NonJapanese);

    const QString family = BestJapaneseFamily();
    ASSERT_FALSE(family.isEmpty());
    EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese) ||
                probe.HasFamily(QString::fromUtf16(JapanesePreferredFamily)) ||
                probe.HasFamily(QString::fromUtf16(JapaneseFallbackFamily)));
}

} // namespace
} // namespace plimset
