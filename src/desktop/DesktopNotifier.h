#pragma once

#include <QObject>
#include <QString>

namespace plimset {

// What a desktop notification says: a first line, an optional second one, the caption of
// its action, which stops what the notification tells of, and the caption of what a click
// on the notice itself does: bring the program's window forward.
struct DesktopNotice {
    QString summary;
    QString body;
    QString stopCaption;
    QString showCaption;
};

// One notification at a time on the desktop's notification service, shown until it is
// withdrawn, and passing news beside it. Where the desktop has no such service nothing is shown,
// nothing is said and nothing waits for it.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Shows the notice, in place of the one shown before.
    virtual void Show(const DesktopNotice& notice) = 0;
    // Takes the notice away, if one is shown.
    virtual void Withdraw() = 0;
    // Passes on a piece of news beside the notice: one line, with no action, shown for as
    // long as the service shows routine news.
    virtual void Inform(const QString& text) = 0;

signals:
    // The user chose the notice's stop action.
    void StopChosen();
    // The user clicked the notice itself.
    void ShowChosen();
};

} // namespace plimset
