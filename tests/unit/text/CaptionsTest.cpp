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

} // namespace
} // namespace plimset
