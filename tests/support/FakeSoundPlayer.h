#pragma once

#include "sound/SoundPlayer.h"

#include <QStringList>

#include <functional>

namespace plimset {

// A sound file that records the calls it gets ("open <path>", "play", "pause", "resume",
// "stop", "close") and answers with `state` and `openResult`, which the calls change as the
// real one would (nothing changes while no file is open). `duringOpen` runs inside Open, as the
// events processed while a file loads.
class FakeSoundPlayer : public SoundPlayer {
public:
    SoundOpenResult Open(const QString& path) override {
        calls << QStringLiteral("open ") + path;
        state = SoundState::NotOpen;
        if (duringOpen)
            duringOpen();
        state = openResult == SoundOpenResult::Opened ? SoundState::Stopped : SoundState::NotOpen;
        return openResult;
    }
    void PlayFromStart() override { Record("play", SoundState::Playing); }
    void Pause() override { Record("pause", SoundState::Paused); }
    void Resume() override { Record("resume", SoundState::Playing); }
    void Stop() override { Record("stop", SoundState::Stopped); }
    void Close() override { Record("close", SoundState::NotOpen); }
    SoundState State() const override { return state; }
    void Record(const char* call, SoundState next) {
        calls << QLatin1String(call);
        state = state == SoundState::NotOpen ? state : next;
    }

    SoundState state = SoundState::NotOpen;
    SoundOpenResult openResult = SoundOpenResult::Opened;
    QStringList calls;
    std::function<void()> duringOpen;
};

} // namespace plimset
