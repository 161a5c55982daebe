// The main window's layout and look: the controls placed by the layout arithmetic, the
// time field's font and colours and the window's place and size as the window settings
// record them, and the captions in the chosen language.

#include "ui/main/MainWindow.h"

#include "core/OptionSettings.h"
#include "desktop/WindowServices.h"
#include "settings/TimerModeCodes.h"
#include "text/Captions.h"
#include "text/LanguageChoice.h"
#include "ui/widgets/FontChoice.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

#include <iterator>

namespace plimset {

namespace {

constexpr double DesignFontSize = 9;

// The menu bar's titles, in its order.
constexpr const char* MenuTitles[] = {QT_TRANSLATE_NOOP("MainWindow", "E&xit"),
                                      QT_TRANSLATE_NOOP("MainWindow", "&Set"),
                                      QT_TRANSLATE_NOOP("MainWindow", "&Mode")};

} // namespace

void MainWindow::MeasureBorders() {
    geometry_.Measure(this, services_);
}

ControlSizes MainWindow::CurrentControlSizes() const {
    return {minimizeButton_->width(), minimizeButton_->height(), clearButton_->width(),
            clearButton_->height(),   actionButton_->width(),    actionButton_->height(),
            timeField_->width(),      timeField_->height()};
}

void MainWindow::SizeTimeFieldForLength(int characters) {
    const QString sample = FieldSizingText(characters, options_.displayLength);
    const QFontMetricsF metrics(timeField_->font());
    timeField_->resize(qCeil(metrics.horizontalAdvance(sample)), qCeil(metrics.height()));

    const ControlSizes sizes = CurrentControlSizes();
    const QMargins& frame = geometry_.Frame();
    const int width = FittedWindowWidth(sizes, geometry_.BorderWidth());
    geometry_.ResizeOuter(this, width, geometry_.OuterHeightPixels(this));
    geometry_.RemeasureBorderHeight(this, width - frame.left() - frame.right());
    geometry_.ResizeOuter(this, width, FittedWindowHeight(sizes, geometry_.BorderHeight()));
    PlaceControls();
}

void MainWindow::PlaceControls() {
    geometry_.RemeasureBorderHeight(this, width());
    const ControlPlacement p = plimset::PlaceControls(
        CurrentControlSizes(), geometry_.OuterWidthPixels(this), geometry_.OuterHeightPixels(this),
        geometry_.BorderWidth(), geometry_.BorderHeight());
    timeField_->move(p.TextLeft, p.TextTop);
    minimizeButton_->move(p.MinimizeLeft, p.MinimizeTop);
    clearButton_->move(p.ClearLeft, p.ClearTop);
    actionButton_->move(p.ActionLeft, p.ActionTop);
}

void MainWindow::ReflectOuterSize(int widthPixels, int heightPixels) {
    const ControlSizes sizes = CurrentControlSizes();
    const QMargins& frame = geometry_.Frame();
    const int width = qMax(widthPixels, MinimumWindowWidth(sizes, geometry_.BorderWidth()));
    geometry_.ResizeOuter(this, width, geometry_.OuterHeightPixels(this));
    geometry_.RemeasureBorderHeight(this, width - frame.left() - frame.right());
    const int height = qMax(heightPixels, MinimumWindowHeight(sizes, geometry_.BorderHeight()));
    geometry_.ResizeOuter(this, width, height);
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
    s.startMode = state_.mode;
    SetPositionInPixels(s, geometry_.OuterTopLeft(this), geometry_.Scale());
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

void MainWindow::MoveOuterTo(QPoint topLeft) {
    geometry_.MoveOuterTo(this, topLeft);
}

void MainWindow::ApplyStartupSize(qint32& savedWidth, qint32& savedHeight) {
    const ControlSizes sizes = CurrentControlSizes();
    const QMargins& frame = geometry_.Frame();
    const int currentWidth = geometry_.OuterWidthPixels(this);
    const int currentHeight = geometry_.OuterHeightPixels(this);
    // The saved size is in the screen's pixels.
    if (savedWidth < 1)
        savedWidth = geometry_.OuterWidthScreenPixels(this);
    const int width = StartupLength(geometry_.OuterWidthFromScreen(savedWidth), currentWidth,
                                    MinimumWindowWidth(sizes, geometry_.BorderWidth()));
    geometry_.ResizeOuter(this, width, currentHeight);
    geometry_.RemeasureBorderHeight(this, width - frame.left() - frame.right());
    if (savedHeight < 1)
        savedHeight = geometry_.OuterHeightScreenPixels(this);
    const int height = StartupLength(geometry_.OuterHeightFromScreen(savedHeight), currentHeight,
                                     MinimumWindowHeight(sizes, geometry_.BorderHeight()));
    geometry_.ResizeOuter(this, width, height);
}

void MainWindow::ApplyCaptions(const ModeOrder& modeOrder) {
    // The modes' names in the order of TimerMode.
    static constexpr const char* ModeNames[] = {
        QT_TRANSLATE_NOOP("MainWindow", "Alarm"),
        QT_TRANSLATE_NOOP("MainWindow", "CountDown"),
        QT_TRANSLATE_NOOP("MainWindow", "StopWatch"),
    };
    constexpr char Context[] = "MainWindow";
    modeMenuMap_ = modeOrder;
    for (int k = 0; k < 3; ++k)
        SetCaptionSource(modeActions_[k], Context, ModeNames[static_cast<int>(modeMenuMap_[k])]);
    SetCaptionSource(alwaysOnTopAction_, Context,
                     QT_TRANSLATE_NOOP("MainWindow", "&Always on Top"));
    SetCaptionSource(fontAction_, Context, QT_TRANSLATE_NOOP("MainWindow", "&Font..."));
    SetCaptionSource(backColorAction_, Context,
                     QT_TRANSLATE_NOOP("MainWindow", "&Background Color..."));
    SetCaptionSource(optionsAction_, Context, QT_TRANSLATE_NOOP("MainWindow", "&Options..."));
    SetCaptionSource(exitAction_, Context, MenuTitles[0]);
    CaptionWindow(this);
    // The menus' titles and the controls without a caption of their own, which
    // CaptionWindow leaves alone.
    presetMenu_->setTitle(QCoreApplication::translate(Context, MenuTitles[1]));
    modeMenu_->setTitle(QCoreApplication::translate(Context, MenuTitles[2]));
    WidenForMenuTitles();
    minimizeButton_->setAccessibleName(QCoreApplication::translate("MainWindow", "Minimize"));
    clearButton_->setAccessibleName(QCoreApplication::translate("MainWindow", "Clear"));
    timeField_->setAccessibleName(QCoreApplication::translate("MainWindow", "Time"));
    UpdateActionAccessibleName();
    if (!services_.CanKeepOnTop())
        alwaysOnTopAction_->setToolTip(QCoreApplication::translate(
            "MainWindow", "This desktop does not let a window keep itself on top."));
}

void MainWindow::WidenForMenuTitles() {
    // The window is designed for the English titles (where a wide font hides one behind the
    // menu bar's extension, it stays hidden, as it always has). A translation whose titles
    // are longer widens the window until they all show.
    QMenuBar* bar = menuBar();
    const QFontMetrics fm = bar->fontMetrics();
    int longer = 0;
    const QList<QAction*> titles = bar->actions();
    for (qsizetype i = 0; i < titles.size() && i < std::ssize(MenuTitles); ++i)
        longer += fm.horizontalAdvance(WithoutMnemonic(titles[i]->text())) -
                  fm.horizontalAdvance(WithoutMnemonic(QString::fromUtf8(MenuTitles[i])));
    const int needed = bar->sizeHint().width();
    if (longer <= 0 || width() >= needed)
        return;
    const QMargins& frame = geometry_.Frame();
    geometry_.ResizeOuter(this, needed + frame.left() + frame.right(),
                          geometry_.OuterHeightPixels(this));
    PlaceControls();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    emit Closing();
    event->accept();
}

} // namespace plimset
