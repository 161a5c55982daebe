#pragma once

#include "core/MessageStyle.h"
#include "core/OptionsRules.h"
#include "settings/OptionSettings.h"
#include "settings/WindowSettings.h"
#include "ui/main/MainWindow.h"

#include <QDialog>
#include <QLocale>
#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace plimset {

class Beeper;
class SettingsFile;
class SoundPreview;

// What the Options dialog works with besides the main window and the live options.
struct OptionsDialogContext {
    SettingsFile& settings;
    SoundPreview& sound;
    Beeper& beeper;
    qint16 languageOffset = 0;
    // No font can show Japanese: the language cannot be chosen.
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
};

// The Options dialog (Form2): every option in grouped frames, laid out in twips from the
// design, captioned in the current language and filled from the live options when it is
// made. OK checks the entries, asks, and saves the changed keys into the live record and
// the settings file; Cancel puts back what Reflect and Restore Defaults changed on the main
// window. Closing it with the close box saves nothing and undoes nothing.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(MainWindow& main, OptionSettings& options, OptionsDialogContext context);
    ~OptionsDialog() override;

    // True once Cancel (the button or Esc) has closed the dialog.
    bool Cancelled() const { return cancelled_; }
    // True once OK has saved; false also when the settings file could not be written (the
    // user has been told, and the live options hold the new values all the same).
    bool Saved() const { return saved_; }

    // The dialog's actions, as its buttons run them.
    void Ok();
    void Cancel();
    void Reflect(int index);
    void RestoreDefaults(int index);
    void TestBeep();
    void TestPlay();
    void StopTestPlay();
    void Browse();
    bool TestPlayRunning() const;

    // The file filter Browse offers: media files of the given extensions, then all files.
    static QStringList FileFilters(const QStringList& extensions, qint16 languageOffset);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void done(int result) override;

private:
    void CreateControls();
    void CreatePresetStrip(int group, QGroupBox* frame, std::vector<QLineEdit*>& boxes,
                           QWidget*& strip, QScrollBar*& scroll, BoxFilter filter);
    void ArrangeGroups();
    void SetTabOrder();
    void Caption();
    void GrowLabels();
    void SetAccessibleNames();
    void FillCombos();
    void ClearPresetBoxes();
    void FillFromSettings();
    void FillWithDefaults();
    void ShowMainWindowSize();
    void CheckRule1();
    void CheckRule2();
    void CheckRule3();
    void SoundSourceRule(int index);
    void SelectSoundSource(int index);
    void CaptureHotkey(QKeyEvent* event);
    void RevertIncompleteHotkey();
    void ScrollIntoView(QLineEdit* box);
    void MonitorTestPlay();
    OptionSettings Collect() const;
    void Message(const QString& text, MessageStyle style);

    MainWindow& main_;
    OptionSettings& options_;
    OptionsDialogContext context_;
    TwipsPerPixel tpp_;
    MainWindowSnapshot snapshot_;
    QString noHotkeyText_;
    bool cancelled_ = false;
    bool saved_ = false;
    bool testPlaying_ = false;

    std::vector<QGroupBox*> frames_; // Frame1_0 .. Frame1_8
    QWidget* alarmViewport_ = nullptr;
    QWidget* alarmStrip_ = nullptr;
    QWidget* countDownViewport_ = nullptr;
    QWidget* countDownStrip_ = nullptr;
    QScrollBar* alarmScroll_ = nullptr;
    QScrollBar* countDownScroll_ = nullptr;
    std::vector<QLineEdit*> alarmBoxes_;     // Text1_i
    std::vector<QLineEdit*> countDownBoxes_; // Text2_i
    QLineEdit* addMinute_ = nullptr;         // Text3
    QCheckBox* repeat_ = nullptr;            // Check4
    QButtonGroup* source_ = nullptr;         // Option1
    std::array<QRadioButton*, 3> sources_{};
    QWidget* beepRow_ = nullptr;               // Picture4
    QLineEdit* beepCount_ = nullptr;           // Text5
    QPushButton* beepButton_ = nullptr;        // Command4
    QLineEdit* soundFile_ = nullptr;           // Text4
    QPushButton* playButton_ = nullptr;        // Command3
    QPushButton* browseButton_ = nullptr;      // Command2
    QCheckBox* untilEnd_ = nullptr;            // Check1
    std::array<QLineEdit*, 2> durations_{};    // Text6_0, Text6_1
    QCheckBox* display_ = nullptr;             // Check2
    QLineEdit* sizeFactor_ = nullptr;          // Text7
    std::array<QCheckBox*, 4> tray_{};         // Check3_0 .. Check3_3
    std::array<QLineEdit*, 2> mainSize_{};     // Text8_0, Text8_1
    std::array<QPushButton*, 2> reflect_{};    // Command5_0, Command5_1
    QComboBox* maxLength_ = nullptr;           // Combo1
    QLineEdit* hotkey_ = nullptr;              // Text9
    QComboBox* language_ = nullptr;            // Combo2
    std::array<QPushButton*, 2> restore_{};    // Command6_0, Command6_1
    std::array<QWidget*, 2> textRows_{};       // Picture8_0, Picture8_1
    std::array<QLineEdit*, 4> texts_{};        // Text10_11, Text10_12, Text10_21, Text10_22
    std::array<QPushButton*, 2> endButtons_{}; // Command1_0 (OK), Command1_1 (Cancel)
    QLabel* version_ = nullptr;                // LBL_Version
    QTimer* monitor_ = nullptr;                // Timer1
};

} // namespace plimset
