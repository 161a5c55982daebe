// Start-up and shutdown of the main window: the settings it loads and saves, the language,
// the first layout and the command line.

#include "ui/main/MainWindow.h"

#include "core/CommandLine.h"
#include "core/ScreenFit.h"
#include "desktop/FontChoice.h"
#include "desktop/Twips.h"
#include "desktop/WindowServices.h"
#include "settings/SettingsFile.h"
#include "text/LanguageChoice.h"
#include "text/LocalizeForm.h"
#include "text/StringTable.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>

namespace plimset {

namespace {

// The face the time field is designed with, where it is installed.
constexpr char16_t DesignFontFamily[] = u"ＭＳ Ｐゴシック";
constexpr double DesignFontSize = 9;

} // namespace

std::optional<int> MainWindow::Startup() {
    tick_->setInterval(200);
    tick_->stop();
    state_.OptionsOpen = false;

    // The window captions of the modes are always the English names.
    engine_.SetModeCaptions(ResourceText(601), ResourceText(602), ResourceText(603));
    ApplyButtonIcons();

    designLook_ = DesignLook();
    ApplyTextLook(designLook_);
    MeasureBorders();
    // The designed window: the field sized for the default character limit.
    Sg_TextBox_Size(0);
    LoadWindowSettings();
    options_ = LoadOptionSettings(SettingsFile(context_.settingsFilePath), DefaultSoundFile());

    PlaceOutOfSightButtons();
    Sg_TextBox_Size(0);
    ApplyStartupSize();
    Sg_Object_Location();
    ApplyLanguage();

    engine_.SetAlertTickCount(0);
    timeField_->clear();
    engine_.SetMode(loaded_.StartForm);

    if (options_.TaskBar == 0)
        SetTaskbarButton(false);
    ApplyMinimizeOffer();

    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveState(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { Unload(); });

    started_ = true;
    show();
    // Where the window system really put the window is what the save compares against.
    loaded_.Left = OuterLeftTwips();
    loaded_.Top = OuterTopTwips();
    if (isVisible())
        FocusActionButton();
    return ApplyCommandLine();
}

WindowSettings MainWindow::DesignLook() const {
    WindowSettings look;
    const QString design = QString::fromUtf16(DesignFontFamily);
    look.FontName = context_.fontProbe != nullptr && context_.fontProbe->HasFamily(design)
                        ? design
                        : QApplication::font().family();
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
    TransferFont(font, description, 2);
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

void MainWindow::LoadWindowSettings() {
    const SettingsFile file(context_.settingsFilePath);
    loaded_ = ReadWindowSettings(file, designLook_);

    const double width = WindowWidthTwips();
    const double height = WindowHeightTwips();
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect screenRect = primary != nullptr ? primary->geometry() : QRect(0, 0, 1024, 768);
    qint32 x = loaded_.Left;
    qint32 y = loaded_.Top;
    if (x == NoStoredPosition)
        x = RoundToInt32(screenRect.x() * tpp_.X) +
            CentredPosition(screenRect.width() * tpp_.X, width);
    if (y == NoStoredPosition)
        y = RoundToInt32(screenRect.y() * tpp_.Y) +
            CentredPosition(screenRect.height() * tpp_.Y, height);
    const QPoint fitted = FitOnScreen(x, y, width, height);
    const QPoint client(TwipsToPixels(fitted.x(), tpp_.X) + frame_.left(),
                        TwipsToPixels(fitted.y(), tpp_.Y) + frame_.top());
    move(client);
    // The position the window really took is what the save compares against.
    loaded_.Left = OuterLeftTwips();
    loaded_.Top = OuterTopTwips();

    if (loaded_.AlwaysOnTop == 0 || loaded_.AlwaysOnTop == 1) {
        const QSignalBlocker block(alwaysOnTopAction_);
        alwaysOnTopAction_->setChecked(loaded_.AlwaysOnTop == 1);
        ApplyAlwaysOnTop(loaded_.AlwaysOnTop == 1);
    }
    ApplyTextLook(loaded_);
}

void MainWindow::ApplyStartupSize() {
    const ControlSizes sizes = CurrentControlSizes();
    const int currentWidth = OuterWidthPixels();
    const int currentHeight = OuterHeightPixels();
    if (loaded_.Width < 1)
        loaded_.Width = currentWidth;
    const int width = StartupWidthPixels(loaded_.Width, currentWidth, sizes, borderWidth_, tpp_);
    ResizeOuter(width, currentHeight);
    RemeasureBorderHeight(width - frame_.left() - frame_.right());
    if (loaded_.Height < 1)
        loaded_.Height = currentHeight;
    const int height =
        StartupHeightPixels(loaded_.Height, currentHeight, sizes, borderHeight_, tpp_);
    ResizeOuter(width, height);
}

void MainWindow::ApplyLanguage() {
    const LanguageChoice choice =
        ChooseLanguage(options_.Language, context_.locale, *context_.fontProbe, languageOffset_);
    languageOffset_ = choice.LanguageOffset;
    options_.Language = choice.Language;
    dummyLabel_->hide();
    if (choice.NonJapanese)
        dummyLabel_->setText(QLatin1String(NonJapaneseMarker));

    for (int k = 0; k < 3; ++k) {
        const int digit = k < options_.ModeOrder.size() ? options_.ModeOrder[k].digitValue() : -1;
        modeMenuMap_[k] = digit >= 1 && digit <= 3 ? static_cast<qint16>(digit)
                                                   : std::array<qint16, 3>{2, 1, 3}[k];
        SetTextId(modeActions_[k], 600 + modeMenuMap_[k]);
    }
    SetTextId(alwaysOnTopAction_, 251);
    SetTextId(fontAction_, 252);
    SetTextId(backColorAction_, 253);
    SetTextId(optionsAction_, 269);
    LocalizeForm(this, languageOffset_);
}

QPoint MainWindow::FitOnScreen(qint32 left, qint32 top, double width, double height) const {
    WindowPosition position{left, top};
    KeepOnScreen(width, height, position, VirtualScreenRect(), tpp_.X, tpp_.Y);
    return {position.Left, position.Top};
}

std::optional<int> MainWindow::ApplyCommandLine() {
    const QString argumentText = JoinArguments(context_.arguments);
    // Without arguments the window simply waits in its saved mode.
    if (argumentText.isEmpty())
        return std::nullopt;
    const QString usage = UsageText(context_.executableBaseName,
                                    [this](int id) { return LocalizedText(id, languageOffset_); });
    const CommandLineResult result = ParseCommandLine(argumentText, usage);
    if (!result.Message.isEmpty())
        ShowMessage(result.Message, result.MessageStyle);
    if (result.ExitAfterMessage) {
        // "/?" ends the program without the unload steps: nothing is saved.
        unloaded_ = true;
        return 0;
    }
    if (unloaded_) // closed while the message was open
        return 0;
    engine_.SetMode(result.CommandLineMode != 0 ? result.CommandLineMode : state_.CurMode);
    if (!result.CommandLineText.isEmpty() && result.CommandLineText != timeField_->text()) {
        timeField_->setText(result.CommandLineText);
        engine_.TextChanged();
    }
    if (state_.CurMode != Alarm)
        engine_.Command2();
    return std::nullopt;
}

void MainWindow::ShowMessage(const QString& text, int style) {
    if (context_.showMessage)
        context_.showMessage(this, text, style);
}

void MainWindow::RequestClose() {
    // A modal dialog or message runs its own loop; end those first so the close is not
    // held up behind them.
    for (int guard = 0; guard < 16; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == this)
            break;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
    }
    if (started_ && !unloaded_)
        close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Unload();
    event->accept();
}

void MainWindow::Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    if (!started_)
        return;
    tick_->stop();
    alert_.StopSound(SoundStop::Stop);
    // The saved position and size are those of the normal window. The window system
    // restores it in its own time, so its normal geometry is put back at once.
    if (isMinimized() || isMaximized() || isFullScreen() || !isVisible()) {
        const QRect normal = normalGeometry();
        showNormal();
        if (normal.isValid())
            setGeometry(normal);
    }
    SaveState();
}

void MainWindow::SaveState() {
    if (!started_)
        return;
    SettingsFile file(context_.settingsFilePath);
    const WindowSettings current = CurrentWindowSettings();
    const bool normal =
        !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    SaveWindowSettings(file, loaded_, current, normal);
    // A second save (the session's end, then the close) writes only what changed since.
    const qint32 left = loaded_.Left;
    const qint32 top = loaded_.Top;
    loaded_ = current;
    if (!normal) {
        loaded_.Left = left;
        loaded_.Top = top;
    }
}

// The outer window's position, from the client area's position and the frame measured at
// start-up. Qt places a window that was never shown by its client area and reports a shown
// one by its frame; going through the client area and one frame for both placing and
// saving keeps the stored position from creeping by a frame on every run, also where the
// real frame is only known later or not at all.
qint32 MainWindow::OuterLeftTwips() const {
    return RoundToInt32((geometry().x() - frame_.left()) * tpp_.X);
}

qint32 MainWindow::OuterTopTwips() const {
    return RoundToInt32((geometry().y() - frame_.top()) * tpp_.Y);
}

WindowSettings MainWindow::CurrentWindowSettings() const {
    WindowSettings s;
    s.StartForm = state_.CurMode;
    s.Left = OuterLeftTwips();
    s.Top = OuterTopTwips();
    s.AlwaysOnTop = alwaysOnTopAction_->isChecked() ? 1 : 0;
    QFont font = timeField_->font();
    FontDescription description;
    TransferFont(font, description, 1);
    s.FontName = description.Name;
    s.FontSize = description.Size;
    s.FontBold = description.Bold;
    s.FontItalic = description.Italic;
    s.FontUnderline = description.Underline;
    s.FontStrikethrough = description.Strikethrough;
    s.ForeColor = foreColor_;
    s.BackColor = backColor_;
    s.Width = OuterWidthPixels();
    s.Height = OuterHeightPixels();
    return s;
}

} // namespace plimset
