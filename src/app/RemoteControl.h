#pragma once

#include "app/WindowVerbPacer.h"
#include "core/WindowVerbs.h"

#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>

namespace plimset {

// The running program on the session bus. The first Plimset to start owns the name
// RemoteControlService() (the application id); later ones wait in the bus's queue and take
// over the name when the owner ends. The object at RemoteControlPath answers Toggle, Show
// and Hide, so that `plimset --toggle` reaches the window that already runs instead of
// starting another; verbs that come faster than the window acts make one (WindowVerbPacer).
// Every Plimset's object also tells where its window is, so that a new one opens beside.
QString RemoteControlService();
inline constexpr char RemoteControlPath[] = "/io/github/plimset/Plimset";
inline constexpr char RemoteControlInterface[] = "io.github.plimset.Plimset";

class RemoteControl : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.plimset.Plimset")
public:
    explicit RemoteControl(QObject* parent = nullptr);
    ~RemoteControl() override;

    // What became of the request for the name.
    enum class Publication {
        Owner,  // this process answers the verbs
        Queued, // another Plimset answers them; this one takes over when it ends
        NoBus,  // no session bus, or the bus refused
    };
    // Exports the object and asks for the name.
    Publication Publish();
    // The process that owns the name, 0 when it is not known.
    qint64 OwnerProcess() const;
    // Where the windows of the other Plimsets waiting for the name or owning it are: each
    // outer window's top-left corner in pixels, as each one answers (those that do not
    // answer at once are left out).
    QList<QPoint> OtherWindowPlaces() const;
    // Where this Plimset's window is, for the others; until it is given they are told that
    // there is no window yet.
    void SetWindowPlace(std::function<QPoint()> place) { place_ = std::move(place); }

public slots:
    // The methods other processes call.
    Q_SCRIPTABLE void Toggle() { pacer_.Add(WindowVerb::Toggle); }
    Q_SCRIPTABLE void Show() { pacer_.Add(WindowVerb::Show); }
    Q_SCRIPTABLE void Hide() { pacer_.Add(WindowVerb::Hide); }
    Q_SCRIPTABLE QPoint WindowPlace();

signals:
    void VerbRequested(plimset::WindowVerb verb);
    // This Plimset owns the name (also when it got it at once).
    void NameTaken();

private:
    bool published_ = false;
    WindowVerbPacer pacer_;
    std::function<QPoint()> place_;
};

// What became of sending a verb to the running Plimset.
enum class RemoteDelivery {
    Delivered,   // it answered
    NoneRunning, // nobody owns the name
    NoBus,       // no session bus to ask on
    NoAnswer,    // the owner did not answer in time, or answered with an error
};

// Sends a verb to the Plimset that owns the name and waits for its answer (a few seconds
// at most). *problem gets a line for standard error when the result is not Delivered.
RemoteDelivery SendWindowVerb(WindowVerb verb, QString* problem);

} // namespace plimset
