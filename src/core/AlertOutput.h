#pragma once

#include <QFlags>

namespace plimset {

// The two parts of an alert that can be pending at once.
enum class AlertPart { Sound = 1, Window = 2 };
Q_DECLARE_FLAGS(AlertParts, AlertPart)
Q_DECLARE_OPERATORS_FOR_FLAGS(AlertParts)

// How StopSound is asked to end the sound.
enum class SoundStop : qint16 {
    Stop = 0,       // the alert ended, or the user stopped or reset the timer
    CloseAtEnd = 1, // the file has played to its end and is closed
};

// What the timer engine needs of the alert: the sound and the alert window. While an
// alert is active the engine calls AlertStep on every tick with the parts still pending.
class AlertOutput {
public:
    virtual ~AlertOutput() = default;
    virtual void AlertStep(AlertParts pending) = 0;
    virtual void StopSound(SoundStop how) = 0;
    virtual bool IsAlertWindowVisible() const = 0;
    virtual void HideAlertWindow() = 0;
    // A countdown is running toward its end: the first sound step of the coming alert
    // rings at once instead of after the usual second of alert steps.
    virtual void RingAtNextSoundStep() = 0;
    // An alarm is a few seconds from its minute: the sound gets ready, so that the alert
    // is heard at once.
    virtual void PrepareSound() = 0;
};

} // namespace plimset
