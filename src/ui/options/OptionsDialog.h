#pragma once

#include "core/MessageStyle.h"
#include "core/OptionSettings.h"
#include "core/OptionsRules.h"
#include "core/WindowLayout.h"
#include "desktop/GlobalHotkey.h"
#include "settings/OptionTable.h"
#include "settings/WindowSettings.h"
#include "text/LanguageChoice.h"
#include "ui/options/MainWindowPreview.h"
#include "ui/options/OptionsDialogDesign.h"

#include <QDialog>
#include <QLocale>
#include <array>
#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class QVBoxLayout;

namespace plimset {

class Beeper;
class SettingsFile;
class SoundPlayer;

// What the Options dialog works with besides the main window and the live options.
struct OptionsDialogContext {
    SettingsFile& settings;
    SoundPlayer& sound; // the sound file the test play shares with the alarm
    Beeper& beeper;
    InterfaceLanguage language = InterfaceLanguage::English;
    // No font can show Japanese: the language list does not offer it.
    bool noJapaneseFont = false;
    // The user's locale, for the thousands separator of the length list.
    QLocale locale;
    // The time field's look at start-up, which Restore Defaults puts back.
    WindowSettings defaultLook;
    // The sound file Restore Defaults (All) chooses, "" when there is none.
    QString defaultSoundFile;
    // Shows a message with the application's title and waits until it is closed.
    std::function<void(QWidget* parent, const QString& text, MessageStyle style)> showMessage;
    // Asks a Yes/No question; true for Yes.
    std::function<bool(QWidget* parent, const QString& text)> askYesNo;
    // Whether another program holds a hotkey combination (the stored number); none when
    // the desktop cannot tell.
    std::function<bool(qint16 hotkey)> hotkeyHeldElsewhere;
    // Who decides which key works; where the desktop does, the box shows its key.
    HotkeyBinding hotkeyBinding;
    // Opens the desktop's shortcut settings (where hotkeyBinding.CanOpenSettings).
    std::function<void()> openShortcutSettings;
};

// How one option is shown in its control and read back from it.
enum class BindingFormat {
    WholeNumberBox, // a count or minutes; 0 shows as an empty box
    TimeBox,        // a duration as a time text, the time separator's style
    FactorBox,      // a number with one decimal
    TextBox,        // a text as it stands
    MessageTextBox, // a text, read back without surrounding spaces
    CheckBox,       // on or off
    ListChoice,     // a list whose items are the values (or choices) from `first` on; a
                    // value outside the list selects nothing and is kept
    SoundSource,    // the sound source's option buttons
    HotkeyBox,      // the hotkey's text, or the "none" text for no hotkey
};

// One option and the control that shows it.
struct OptionBinding {
    OptionField field;
    QObject* control;
    BindingFormat format;
    qint16 first = 0; // ListChoice: the value of the list's first item
};

// The value a list choice stands for: the item's value, or `unlisted` when nothing is
// selected.
qint16 ListChoiceValue(int index, qint16 first, qint16 unlisted);
// The item of a list of `count` values from `first` on that shows a value; -1 for none.
int ListChoiceIndex(qint16 value, qint16 first, int count);

// The Options dialog: every option in grouped frames, placed by layouts in two columns,
// captioned in the current language and filled from the live options when it is
// made. OK checks the entries, asks, and saves the changed keys into the live record and
// the settings file; Cancel puts back what Reflect and Restore Defaults changed on the main
// window. Closing it with the close box saves nothing and undoes nothing.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(MainWindowPreview& main, OptionSettings& options, OptionsDialogContext context);
    ~OptionsDialog() override;

    // True once Cancel (the button or Esc) has closed the dialog.
    bool Cancelled() const { return cancelled_; }
    // True once OK has saved; false also when the settings file could not be written (the
    // user has been told, and the live options hold the new values all the same).
    bool Saved() const { return saved_; }

    // The dialog's actions, as its buttons run them.
    void Ok();
    void Cancel();
    // Gives the main window the size in the boxes and the chosen display length.
    void ReflectSizeAndLength();
    // Gives the main window the chosen display length.
    void ReflectLength();
    // Puts the main window's design look back and sizes it for the chosen length.
    void RestoreLook();
    // Refills every control with the defaults, then as RestoreLook.
    void RestoreAllDefaults();
    void TestBeep();
    void TestPlay();
    void StopTestPlay();
    void Browse();
    bool TestPlayRunning() const;

    // The file filter Browse offers: media files of the given extensions, then all files.
    static QStringList FileFilters(const QStringList& extensions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void done(int result) override;

private:
    void CreateControls();
    QGroupBox* CreateAlarmGroup();
    QGroupBox* CreateCountDownGroup();
    QGroupBox* CreateSoundGroup();
    QGroupBox* CreateAlertWindowGroup();
    QGroupBox* CreateMessageTextsGroup(bool countDownFirst);
    QGroupBox* CreateTrayGroup();
    std::array<QGroupBox*, 2> CreateWindowSizeGroups();
    QGridLayout* CreateHotkeyAndLanguage();
    QGroupBox* CreateRestoreGroup();
    void CreateEndButtons(QGridLayout* grid, int row);
    void AlignColumns();
    void SetBuddies();
    void ConnectControls();
    void CreatePresetStrip(bool alarm, QVBoxLayout* layout, BoxFilter filter);
    void CreateBindings();
    void SetTabOrder();
    void Caption();
    void SetAccessibleNames();
    void FillLists();
    void Fill(const OptionSettings& values);
    void ShowMainWindowSize();
    qint16 ChosenLength() const;
    void EnableRingDurationUnlessUntilEnd();
    void EnableAlertWindowSettings();
    void EnableProgressChecks();
    void ShowSoundSourceControls(int source);
    void SelectSoundSource(int source);
    void CaptureHotkey(QKeyEvent* event);
    // Shows the line below the hotkey box about who decides the key, where a desktop does
    // or none can be had.
    void ShowHotkeyNote();
    // The hotkey asked for: the one filled in while the box shows the desktop's key, else
    // the one in the box.
    qint16 AskedHotkey() const;
    void RevertIncompleteHotkey();
    void ScrollIntoView(QLineEdit* box);
    void MonitorTestPlay();
    OptionSettings Collect() const;
    // The alert text boxes edit the Japanese keys in Japanese, else the English ones.
    bool EditsJapaneseTexts() const { return context_.language == InterfaceLanguage::Japanese; }
    void Message(const QString& text, MessageStyle style);

    MainWindowPreview& main_;
    OptionSettings& options_;
    OptionsDialogContext context_;
    double screenPixelsPerPixel_ = 1; // the window size boxes count the screen's pixels
    MainWindowSnapshot snapshot_;
    QString noHotkeyText_;
    qint16 filledHotkey_ = 0;      // the hotkey asked for, as filled in
    bool desktopKeyShown_ = false; // the box shows the desktop's key, not one captured
    bool cancelled_ = false;
    bool saved_ = false;
    bool testPlaying_ = false;
    std::vector<OptionBinding> bindings_;

    QGroupBox* alarmGroup_ = nullptr;
    QGroupBox* countDownGroup_ = nullptr;
    QWidget* alarmStrip_ = nullptr;
    QWidget* countDownStrip_ = nullptr;
    QScrollBar* alarmScroll_ = nullptr;
    QScrollBar* countDownScroll_ = nullptr;
    std::vector<QLineEdit*> alarmBoxes_;
    std::vector<QLineEdit*> countDownBoxes_;
    QLineEdit* addMinute_ = nullptr;
    QCheckBox* repeat_ = nullptr;
    QButtonGroup* soundSource_ = nullptr; // its ids are the SoundSource choices' positions
    QRadioButton* beepSource_ = nullptr;
    QRadioButton* fileSource_ = nullptr;
    QRadioButton* silentSource_ = nullptr;
    QWidget* beepRow_ = nullptr;
    QLineEdit* beepCount_ = nullptr;
    QPushButton* testBeepButton_ = nullptr;
    QLineEdit* soundFile_ = nullptr;
    QPushButton* testPlayButton_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QCheckBox* untilEnd_ = nullptr;
    QLineEdit* ringDuration_ = nullptr;
    QLabel* ringDurationUnit_ = nullptr;
    QCheckBox* alertWindowShown_ = nullptr;
    QLineEdit* alertSize_ = nullptr;
    QLineEdit* displayDuration_ = nullptr;
    QCheckBox* trayIcon_ = nullptr;
    QCheckBox* taskbarButton_ = nullptr;
    QCheckBox* progress_ = nullptr;
    QCheckBox* showAlways_ = nullptr;
    QLineEdit* windowWidth_ = nullptr;
    QLineEdit* windowHeight_ = nullptr;
    QPushButton* reflectSize_ = nullptr;
    QComboBox* lengthList_ = nullptr;
    QPushButton* reflectLength_ = nullptr;
    QLineEdit* hotkey_ = nullptr;
    QLabel* hotkeyNote_ = nullptr;
    QPushButton* shortcutSettings_ = nullptr;
    QComboBox* languageList_ = nullptr;
    QPushButton* restoreLook_ = nullptr;
    QPushButton* restoreAll_ = nullptr;
    QWidget* alarmTextsRow_ = nullptr;
    QWidget* countDownTextsRow_ = nullptr;
    QLineEdit* alarmText1_ = nullptr;
    QLineEdit* alarmText2_ = nullptr;
    QLineEdit* countDownText1_ = nullptr;
    QLineEdit* countDownText2_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QTimer* testPlayMonitor_ = nullptr;
};

} // namespace plimset
