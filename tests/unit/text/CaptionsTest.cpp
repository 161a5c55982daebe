#include "text/Captions.h"

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
    EXPECT_EQ(window.windowTitle(), "Always on Top");
    EXPECT_EQ(modes->title(), "CountDown");
    EXPECT_EQ(alarm->text(), "Alarm");
    EXPECT_EQ(ok->text() + u'|' + ok->accessibleName(), "&OK|OK");
    EXPECT_EQ(tray->title(), "TaskTray && TaskBar");
    EXPECT_EQ(tray->accessibleName(), "TaskTray & TaskBar");
    EXPECT_EQ(buddyLabel->text(), "&Browse");
    EXPECT_EQ(label->text(), "TaskTray & TaskBar");
    EXPECT_EQ(untagged->text(), "Stay");

    QtTranslation translation;
    translation.UseLanguage("ja");
    CaptionWindow(&window);
    EXPECT_EQ(alarm->text(), "アラーム");
    EXPECT_EQ(ok->text() + u'|' + ok->accessibleName(), "決定(&O)|決定(O)");
    // The command line's messages follow the language like every other text.
    EXPECT_EQ(ParseCommandLine("/X", "").Message, "不正なコマンドです。\r\n\r\n");
    EXPECT_EQ(ParseCommandLine("1 2", "").Message, "引数の数が不正です。\r\n\r\n");
    translation.UseLanguage("");
    CaptionWindow(&window);
    EXPECT_EQ(alarm->text(), "Alarm");
}

} // namespace
} // namespace plimset
