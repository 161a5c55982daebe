// The main window's layout and look: the controls placed by the twips arithmetic, the
// time field's font and colours and the window's place and size as the window settings
// record them, and the captions in the chosen language.

#include "ui/main/MainWindow.h"

#include "core/OptionSettings.h"
#include "desktop/FontChoice.h"
#include "desktop/Twips.h"
#include "desktop/WindowServices.h"
#include "text/LanguageChoice.h"
#include "text/LocalizeForm.h"
#include "text/StringTable.h"
#include "text/TextIds.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace plimset {

namespace {

constexpr double DesignFontSize = 9;

} // namespace

void MainWindow::MeasureBorders() {
    geometry_.Measure(this, services_);
}

ControlSizes MainWindow::CurrentControlSizes() const {
    ControlSizes s;
    const TwipsPerPixel tpp = geometry_.Tpp();
    s.MinimizeWidth = minimizeButton_->width() * tpp.X;
    s.MinimizeHeight = minimizeButton_->height() * tpp.Y;
    s.ClearWidth = clearButton_->width() * tpp.X;
    s.ClearHeight = clearButton_->height() * tpp.Y;
    s.ActionWidth = actionButton_->width() * tpp.X;
    s.ActionHeight = actionButton_->height() * tpp.Y;
    s.TextWidth = timeField_->width() * tpp.X;
    s.TextHeight = timeField_->height() * tpp.Y;
    return s;
}

void MainWindow::SizeTimeFieldForLength(int characters) {
    const QString sample = FieldSizingText(characters, options_.displayLength);
    const QFontMetricsF metrics(timeField_->font());
    timeField_->resize(qCeil(metrics.horizontalAdvance(sample)), qCeil(metrics.height()));

    const ControlSizes sizes = CurrentControlSizes();
    const TwipsPerPixel tpp = geometry_.Tpp();
    const QMargins& frame = geometry_.Frame();
    const int widthPixels = FittedWindowWidthPixels(sizes, geometry_.BorderWidth(), tpp);
    geometry_.ResizeOuter(this, widthPixels,
                          TwipsToPixels(geometry_.OuterHeightTwips(this), tpp.Y));
    geometry_.RemeasureBorderHeight(this, widthPixels - frame.left() - frame.right());
    const int heightPixels = FittedWindowHeightPixels(sizes, geometry_.BorderHeight(), tpp);
    geometry_.ResizeOuter(this, widthPixels, heightPixels);
    PlaceControls();
}

void MainWindow::PlaceControls() {
    geometry_.RemeasureBorderHeight(this, width());
    const TwipsPerPixel tpp = geometry_.Tpp();
    const ControlPlacement p = plimset::PlaceControls(
        CurrentControlSizes(), geometry_.OuterWidthTwips(this), geometry_.OuterHeightTwips(this),
        geometry_.BorderWidth(), geometry_.BorderHeight(), tpp);
    const auto place = [tpp](QWidget* control, double left, double top) {
        control->move(TwipsToPixels(left, tpp.X), TwipsToPixels(top, tpp.Y));
    };
    place(timeField_, p.TextLeft, p.TextTop);
    place(minimizeButton_, p.MinimizeLeft, p.MinimizeTop);
    place(clearButton_, p.ClearLeft, p.ClearTop);
    place(actionButton_, p.ActionLeft, p.ActionTop);
}

void MainWindow::ReflectOuterSize(double widthTwips, double heightTwips) {
    const TwipsPerPixel tpp = geometry_.Tpp();
    const ControlSizes sizes = CurrentControlSizes();
    const QMargins& frame = geometry_.Frame();
    const qint32 minWidth = RoundToInt32(sizes.MinimizeWidth + sizes.TextWidth + sizes.ClearWidth +
                                         sizes.ActionWidth + geometry_.BorderWidth() + 2 * tpp.X);
    // Rounded, not truncated: twips given for a scaled screen's pixels fall between Qt's.
    const int widthPixels = TwipsToPixels(qMax(RoundToInt32(widthTwips), minWidth), tpp.X);
    geometry_.ResizeOuter(this, widthPixels, geometry_.OuterHeightPixels(this));
    geometry_.RemeasureBorderHeight(this, widthPixels - frame.left() - frame.right());
    const qint32 minHeight = RoundToInt32(sizes.TextHeight + geometry_.BorderHeight() + tpp.Y);
    const int heightPixels = TwipsToPixels(qMax(RoundToInt32(heightTwips), minHeight), tpp.Y);
    geometry_.ResizeOuter(this, widthPixels, heightPixels);
    PlaceControls();
}

MainWindowSnapshot MainWindow::TakeSnapshot() const {
    MainWindowSnapshot snapshot;
    snapshot.WidthPixels = OuterWidthPixels();
    snapshot.HeightPixels = OuterHeightPixels();
    for (QWidget* control : centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        snapshot.Layout.emplace_back(control, control->geometry());
    snapshot.Look = CurrentWindowSettings();
    return snapshot;
}

void MainWindow::RestoreSnapshot(const MainWindowSnapshot& snapshot) {
    int savedFieldWidth = timeField_->width();
    for (const auto& [control, rect] : snapshot.Layout) {
        if (control == timeField_)
            savedFieldWidth = rect.width();
    }
    if (OuterWidthPixels() != snapshot.WidthPixels ||
        OuterHeightPixels() != snapshot.HeightPixels || timeField_->width() != savedFieldWidth) {
        SizeTimeFieldForLength(0);
        geometry_.ResizeOuterScreenPixels(this, snapshot.WidthPixels, snapshot.HeightPixels);
        for (const auto& [control, rect] : snapshot.Layout) {
            if (control != nullptr)
                control->setGeometry(rect);
        }
    }
    ApplyTextLook(snapshot.Look);
}

void MainWindow::ApplyAccessKeyForStyle() {
    accessKey_->setEnabled(options_.buttonFace != ButtonFace::Words);
}

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
    s.Width = geometry_.OuterWidthScreenPixels(this);
    s.Height = geometry_.OuterHeightScreenPixels(this);
    return s;
}

bool MainWindow::PositionIsKnown() const {
    return services_.CanPlaceWindows();
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
    // The saved size is in the screen's pixels.
    if (savedWidth < 1)
        savedWidth = geometry_.OuterWidthScreenPixels(this);
    const int width = StartupWidthPixels(geometry_.OuterWidthFromScreen(savedWidth), currentWidth,
                                         sizes, geometry_.BorderWidth(), tpp);
    geometry_.ResizeOuter(this, width, currentHeight);
    geometry_.RemeasureBorderHeight(this, width - frame.left() - frame.right());
    if (savedHeight < 1)
        savedHeight = geometry_.OuterHeightScreenPixels(this);
    const int height = StartupHeightPixels(geometry_.OuterHeightFromScreen(savedHeight),
                                           currentHeight, sizes, geometry_.BorderHeight(), tpp);
    geometry_.ResizeOuter(this, width, height);
}

void MainWindow::ApplyCaptions(qint16 languageOffset, const ModeOrder& modeOrder) {
    languageOffset_ = languageOffset;

    for (int k = 0; k < 3; ++k) {
        const TimerMode mode = modeOrder[k];
        modeMenuMap_[k] = mode >= Alarm && mode <= StopWatch
                              ? static_cast<qint16>(mode)
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
