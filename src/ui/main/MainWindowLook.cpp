// The main window's look as the window settings record it: the time field's font and
// colours, the window's place and size, and the captions in the chosen language.

#include "ui/main/MainWindow.h"

#include "desktop/FontChoice.h"
#include "desktop/WindowServices.h"
#include "text/LanguageChoice.h"
#include "text/LocalizeForm.h"
#include "text/StringTable.h"
#include "text/TextIds.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>

namespace plimset {

namespace {

constexpr double DesignFontSize = 9;

} // namespace

WindowSettings MainWindow::DesignLook(const QString& fontFamily) const {
    WindowSettings look;
    look.FontName = fontFamily;
    look.FontSize = DesignFontSize;
    look.FontBold = look.FontItalic = look.FontUnderline = look.FontStrikethrough = 0;
    const QPalette palette = timeField_->palette();
    look.ForeColor = ColorToInt(palette.color(QPalette::Active, QPalette::Text));
    look.BackColor = ColorToInt(palette.color(QPalette::Active, QPalette::Base));
    return look;
}

void MainWindow::ApplyTextLook(const WindowSettings& look) {
    QFont font = timeField_->font();
    FontDescription description{
        look.FontName,      look.FontSize > 0 ? look.FontSize : DesignFontSize,
        look.FontBold,      look.FontItalic,
        look.FontUnderline, look.FontStrikethrough,
        look.ForeColor};
    TransferFont(font, description, FontTransfer::ToFont);
    timeField_->setFont(font);
    ApplyTextColors(look.ForeColor, look.BackColor);
}

void MainWindow::ApplyTextColors(qint32 foreColor, qint32 backColor) {
    foreColor_ = foreColor;
    backColor_ = backColor;
    QPalette palette = timeField_->palette();
    const QPalette system = QApplication::palette(timeField_);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text, IntToColor(foreColor, system));
        palette.setColor(group, QPalette::Base, IntToColor(backColor, system));
    }
    timeField_->setPalette(palette);
}

WindowSettings MainWindow::CurrentWindowSettings() const {
    WindowSettings s;
    s.StartForm = state_.CurMode;
    s.Left = geometry_.OuterLeftTwips(this);
    s.Top = geometry_.OuterTopTwips(this);
    s.AlwaysOnTop = alwaysOnTopAction_->isChecked() ? 1 : 0;
    QFont font = timeField_->font();
    FontDescription description;
    TransferFont(font, description, FontTransfer::FromFont);
    s.FontName = description.Name;
    s.FontSize = description.Size;
    s.FontBold = description.Bold;
    s.FontItalic = description.Italic;
    s.FontUnderline = description.Underline;
    s.FontStrikethrough = description.Strikethrough;
    s.ForeColor = foreColor_;
    s.BackColor = backColor_;
    s.Width = geometry_.OuterWidthPixels(this);
    s.Height = geometry_.OuterHeightPixels(this);
    return s;
}

void MainWindow::MoveOuterTo(qint32 leftTwips, qint32 topTwips) {
    geometry_.MoveOuterTo(this, leftTwips, topTwips);
}

void MainWindow::ApplyStartupSize(qint32& savedWidth, qint32& savedHeight) {
    const ControlSizes sizes = CurrentControlSizes();
    const TwipsPerPixel tpp = geometry_.Tpp();
    const QMargins& frame = geometry_.Frame();
    const int currentWidth = geometry_.OuterWidthPixels(this);
    const int currentHeight = geometry_.OuterHeightPixels(this);
    if (savedWidth < 1)
        savedWidth = currentWidth;
    const int width =
        StartupWidthPixels(savedWidth, currentWidth, sizes, geometry_.BorderWidth(), tpp);
    geometry_.ResizeOuter(this, width, currentHeight);
    geometry_.RemeasureBorderHeight(this, width - frame.left() - frame.right());
    if (savedHeight < 1)
        savedHeight = currentHeight;
    const int height =
        StartupHeightPixels(savedHeight, currentHeight, sizes, geometry_.BorderHeight(), tpp);
    geometry_.ResizeOuter(this, width, height);
}

void MainWindow::ApplyCaptions(qint16 languageOffset, const QString& modeOrder, bool nonJapanese) {
    languageOffset_ = languageOffset;
    dummyLabel_->hide();
    if (nonJapanese)
        dummyLabel_->setText(QLatin1String(NonJapaneseMarker));

    for (int k = 0; k < 3; ++k) {
        const int digit = k < modeOrder.size() ? modeOrder[k].digitValue() : -1;
        modeMenuMap_[k] = digit >= Alarm && digit <= StopWatch
                              ? static_cast<qint16>(digit)
                              : std::array<qint16, 3>{CountDown, Alarm, StopWatch}[k];
        SetTextId(modeActions_[k], TextIds::ModeName(modeMenuMap_[k]));
    }
    SetTextId(alwaysOnTopAction_, TextIds::AlwaysOnTop);
    SetTextId(fontAction_, TextIds::FontMenu);
    SetTextId(backColorAction_, TextIds::BackColorMenu);
    SetTextId(optionsAction_, TextIds::OptionsMenu);
    LocalizeForm(this, languageOffset_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    emit Closing();
    event->accept();
}

} // namespace plimset
