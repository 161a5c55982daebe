#pragma once

#include "sound/Beeper.h"

#include <QObject>

#include <functional>
#include <memory>

namespace plimset {

class SoundWorker;

// The beep heard through the audio server: the tones are synthesized here and played on
// the sound layer's thread (SoundWorker), so an audio server that hangs costs the beep
// and nothing else. A beep while one is still sounding starts the new row at once. Where
// no sound can be played (the sound back end did not load) the display's bell rings once
// instead.
class ToneBeeper : public QObject, public Beeper {
    Q_OBJECT
public:
    static constexpr int sampleRate = 48000;

    // `worker` is the sound layer's thread, by default the program's shared one; `bell`
    // rings the display's bell, by default through the display server.
    explicit ToneBeeper(QObject* parent = nullptr, std::shared_ptr<SoundWorker> worker = {},
                        std::function<void()> bell = {});
    ~ToneBeeper() override;

    void Beep(int count) override;
    // Starts the sound layer's thread and has it load the back end and connect to the
    // audio server (which the sound files' plays use too).
    void Prepare() override;

private:
    std::shared_ptr<SoundWorker> worker_;
    std::function<void()> bell_;
    bool prepared_ = false;
};

} // namespace plimset
