#include "app/App.h"

#include "core/CommandLine.h"
#include "core/HotkeyText.h"
#include "core/ModalScope.h"
#include "core/TimeText.h"
#include "desktop/DesktopNotifier.h"
#include "desktop/WindowActivation.h"
#include "desktop/WindowServices.h"
#include "settings/OptionTable.h"
#include "settings/SettingsFile.h"
#include "text/FontProbe.h"
#include "text/LanguageChoice.h"
#include "text/UsageText.h"
#include "ui/options/OptionsDialog.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace plimset {

namespace {

// The face the time field is designed with, where it is installed.
constexpr char16_t DesignFontFamily[] = u"ＭＳ Ｐゴシック";

} // namespace

App::App(AppContext context)
    : context_(std::move(context)), window_(state_, options_, context_.windowServices),
      alert_(AlertOutputContext{
          .options = &options_,
          .state = &state_,
          .mainWindow = &window_,
          .alwaysOnTopChecked = [this] { return window_.IsAlwaysOnTopChecked(); },
          .activation = &context_.windowActivation,
          .windowServices = &context_.windowServices,
          .beeper = &context_.beeper,
          .player = &context_.soundPlayer,
          .trayMenu = &tray_,
          .fileExists = {},
          .notifier = &context_.desktopNotifier,
          .stopButton = window_.ActionButton(),
      }),
      tray_(state_, &window_), engine_(state_, options_, context_.clock, window_, alert_, tray_),
      windowState_(window_, context_.settingsFilePath) {
    alert_.SetEngine(&engine_);
    window_.ConnectEngine(engine_);
    connect(&window_, &MainWindow::Closing, this, &App::Unload);
    connect(&window_, &MainWindow::OptionsRequested, this, &App::OpenOptions);
    // A tray that comes or goes changes how the window comes back.
    connect(&tray_, &TrayIcon::ShownChanged, this, [this] { ApplyDesktopOptions(); });
    // A tray missing at the start is told of once, in ways that hold nothing up: a box
    // here would block the window until it was closed, long after a tray came.
    connect(&tray_, &TrayIcon::TrayMissing, this, [this] {
        const QString text = QCoreApplication::translate(
            "App", "Timeout error. The icon does not appear in the notification area.");
        if (context_.sayOnStandardError)
            context_.sayOnStandardError(text);
        context_.desktopNotifier.Inform(text);
    });
    // MNU_Exit: the icon is gone; the window closes and saves as on any close.
    connect(&tray_, &TrayIcon::ExitRequested, this, &App::CloseWindow);
    connect(&context_.globalHotkey, &GlobalHotkey::Pressed, this,
            [this] { ApplyWindowVerb(WindowVerb::Toggle); });
    // The notification's stop is the stop button's; one that comes after the alert has
    // ended would start the timer again instead.
    connect(&context_.desktopNotifier, &DesktopNotifier::StopChosen, this, [this] {
        if (alert_.IsAlertActive() && !unloaded_)
            engine_.PressActionButton();
    });
    // A click on the notification itself brings the window with its stop button forward.
    connect(&context_.desktopNotifier, &DesktopNotifier::ShowChosen, this,
            [this] { ApplyWindowVerb(WindowVerb::Show); });
}

App::~App() = default;

std::optional<int> App::Startup() {
    window_.StopTick();
    state_.optionsOpen = false;

    // The window captions of the modes are always the English names.
    engine_.SetModeCaptions(QStringLiteral("Alarm"), QStringLiteral("CountDown"),
                            QStringLiteral("StopWatch"));
    window_.ApplyButtonIcons();

    const QString design = QString::fromUtf16(DesignFontFamily);
    const WindowSettings designLook = window_.DesignLook(
        context_.fontProbe.HasFamily(design) ? design : QApplication::font().family());
    designLook_ = designLook;
    window_.ApplyTextLook(designLook);
    window_.MeasureBorders();
    // The designed window: the field sized for the default character limit.
    window_.SizeTimeFieldForLength(0);
    windowState_.Load(designLook, context_.otherWindowPlaces);

    window_.SetTimeText(QString());
    state_.mode = windowState_.Loaded().startMode;
    ApplyOptions(LoadOptionSettings(SettingsFile(context_.settingsFilePath), DefaultSoundFile()));
    alert_.LoadAlertWindow();

    connect(qApp, &QGuiApplication::commitDataRequest, this, &App::SaveState);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &App::Unload);

    RegisterHotkey();

    started_ = true;
    window_.show();
    windowState_.NoteShownPosition();
    if (window_.isVisible())
        window_.FocusActionButton();
    return ApplyCommandLine();
}

void App::ApplyOptions(const OptionSettings& options) {
    options_ = options;
    window_.ApplyAccessKeyForStyle();
    // At start-up the field is sized for the display length and the window takes its saved
    // size; later the window keeps the size the user gave it (the Options dialog sizes it
    // for a new display length itself).
    if (!started_) {
        window_.SizeTimeFieldForLength(0);
        windowState_.ApplySize();
    }
    window_.PlaceControls();
    ApplyLanguage();
    // The icon is there before the mode sets its tip.
    ApplyTray();
    engine_.SetMode(state_.mode);
    ApplyDesktopOptions();
}

void App::ReloadAlertWindow() {
    alert_.ReloadAlertWindow();
}

void App::ApplyTray() {
    if (options_.trayIcon) {
        if (tray_.IsLoaded())
            tray_.Localize();
        else
            tray_.Load(window_.Caption());
    } else {
        tray_.Unload();
    }
}

void App::ApplyLanguage() {
    const LanguageChoice choice =
        ChooseLanguage(options_.language, context_.sessionLanguage, context_.fontProbe);
    options_.language = choice.Language;
    language_ = LanguageInUse{.Interface = choice.Interface, .NoJapaneseFont = choice.NonJapanese};
    qtTranslation_.UseLanguage(CatalogueName(language_.Interface));
    window_.ApplyCaptions(options_.modeOrder);
    alert_.SetLanguage(language_.Interface);
}

void App::ApplyDesktopOptions() {
    // A window that can be minimized but has no icon in a tray keeps its taskbar button,
    // whatever the taskbar option says; one with neither way back is not offered minimizing.
    const WindowReach reach = Reach();
    window_.KeepTaskbarButton(reach.Taskbar);
    window_.SetTaskbarButton(options_.taskbarButton);
    window_.SetMinimizeOffered(reach.Any());
}

void App::OpenOptions() {
    const QString shownText = window_.TimeText();
    bool cancelled = false;
    {
        const ModalScope scope = ModalScope::ForDialog(state_, engine_);
        const bool onTop = window_.IsAlwaysOnTopChecked();
        if (onTop)
            context_.windowServices.SetAlwaysOnTop(&window_, false);
        // Off while the dialog is open, so that the box can capture the combination.
        UnregisterHotkey();
        SettingsFile settings(context_.settingsFilePath);
        OptionsDialog dialog(
            window_, options_,
            OptionsDialogContext{
                .settings = settings,
                .sound = context_.soundPlayer,
                .beeper = context_.beeper,
                .language = language_.Interface,
                .noJapaneseFont = language_.NoJapaneseFont,
                .locale = context_.locale,
                .defaultLook = designLook_,
                .defaultSoundFile = DefaultSoundFile(),
                .showMessage =
                    [this](QWidget* parent, const QString& text, MessageStyle style) {
                        if (context_.showMessage)
                            context_.showMessage(parent, text, style);
                    },
                .askYesNo = [this](QWidget* parent,
                                   const QString& text) { return AskYesNo(parent, text); },
                .hotkeyHeldElsewhere =
                    [this](qint16 code) {
                        return context_.globalHotkey.ProbeHotkey(code) ==
                               HotkeyRegistration::HeldElsewhere;
                    },
                .hotkeyBinding = context_.globalHotkey.Binding(),
                .openShortcutSettings = [this] { context_.globalHotkey.OpenShortcutSettings(); },
            });
        dialog.exec();
        cancelled = dialog.Cancelled();
        // Back on with the hotkey now in force (a new one after OK, none for 0).
        if (!unloaded_)
            RegisterHotkey();
        if (onTop)
            context_.windowServices.SetAlwaysOnTop(&window_, true);
    }
    if (cancelled || unloaded_)
        return;
    ApplyOptions(options_);
    ReloadAlertWindow();
    // The text the field showed, in the form the options now give it. An alarm's clock
    // time stays as it was: it is no minutes.seconds value to convert.
    if (state_.mode != TimerMode::Alarm) {
        const TimeFormat format = TimeFormatOf(options_);
        window_.SetTimeText(FormatTimeText(ParseTimeText(shownText, format), format));
    } else {
        window_.SetTimeText(shownText);
    }
}

bool App::AskYesNo(QWidget* parent, const QString& text) {
    if (context_.askYesNo)
        return context_.askYesNo(parent, text);
    return QMessageBox::question(parent, QStringLiteral("Plimset"), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

WindowReach App::Reach() const {
    return ReachOf(options_.trayIcon, options_.taskbarButton, tray_.IsLoaded() && tray_.IsShown());
}

HotkeyRegistration App::RegisterHotkey() {
    return context_.globalHotkey.RegisterAppHotkey(options_.hotkey);
}

void App::UnregisterHotkey() {
    context_.globalHotkey.UnregisterAppHotkey();
}

void App::ApplyWindowVerb(WindowVerb verb) {
    if (handlingHotkey_ || unloaded_ || !started_)
        return;
    if (state_.optionsOpen) {
        if (QWidget* dialog = QApplication::activeModalWidget();
            verb == WindowVerb::Show && dialog != nullptr)
            context_.windowActivation.BringToFront(dialog, false);
        return;
    }
    handlingHotkey_ = true;
    // The tray is asked afresh: the window is never hidden to a tray that went away.
    if (tray_.IsLoaded())
        tray_.RefreshShown();
    switch (ChooseWindowVerbAction(verb, Reach(), window_.isVisible(), window_.isMinimized())) {
    case HotkeyAction::HideToTray:
        tray_.HideMainWindow();
        break;
    case HotkeyAction::ShowFromTray:
    case HotkeyAction::Restore:
        tray_.ShowMainWindow();
        break;
    case HotkeyAction::BringToFront:
        context_.windowActivation.BringToFront(&window_, window_.IsAlwaysOnTopChecked());
        break;
    case HotkeyAction::Minimize:
        window_.showMinimized();
        break;
    case HotkeyAction::Nothing:
        break;
    }
    handlingHotkey_ = false;
}

QPoint App::WindowPlace() const {
    const QMargins& frame = window_.Geometry().Frame();
    return window_.geometry().topLeft() - QPoint(frame.left(), frame.top());
}

std::optional<int> App::ApplyCommandLine() {
    const QString argumentText = JoinArguments(context_.arguments);
    // Without arguments the window simply waits in its saved mode.
    if (argumentText.isEmpty())
        return std::nullopt;
    const QString usage = UsageText(context_.executableBaseName);
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
    engine_.SetMode(result.CommandLineMode.value_or(state_.mode));
    if (!result.CommandLineText.isEmpty() && result.CommandLineText != window_.TimeText()) {
        window_.SetTimeText(result.CommandLineText);
        engine_.TextChanged();
    }
    if (state_.mode != TimerMode::Alarm)
        engine_.PressActionButton();
    return std::nullopt;
}

void App::ShowMessage(const QString& text, MessageStyle style) {
    if (context_.showMessage)
        context_.showMessage(&window_, text, style);
}

void App::RequestClose() {
    // A modal dialog or message runs its own loop; end those first so the close is not
    // held up behind them.
    for (int guard = 0; guard < 16; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == &window_)
            break;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
    }
    if (started_ && !unloaded_)
        CloseWindow();
}

void App::CloseWindow() {
    // Qt ends the program when its last shown window closes; a window hidden in the tray
    // is not shown, so its close ends the program here.
    const bool hidden = !window_.isVisible();
    window_.close();
    if (hidden)
        QCoreApplication::quit();
}

void App::Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    UnregisterHotkey();
    if (!started_) {
        tray_.Unload();
        return;
    }
    window_.StopTick();
    alert_.StopSound(SoundStop::Stop);
    windowState_.RestoreNormalGeometry();
    windowState_.Save();
    alert_.UnloadAlertWindow();
    tray_.Unload();
}

void App::SaveState() {
    if (started_)
        windowState_.Save();
}

} // namespace plimset
