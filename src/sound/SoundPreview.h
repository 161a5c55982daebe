#pragma once

#include "sound/MciPlayer.h"

#include <QString>

namespace plimset {

// The sound layer as the Options dialog's test play uses it: one file open at a time
// under the alias the alarm uses too.
class SoundPreview {
public:
    virtual ~SoundPreview() = default;
    // "playing", "stopped", or another text (nothing open) for the file under the alias.
    virtual QString Mode() = 0;
    // 0 when the file is open, -1 when it was not found, -2 when it cannot be played, -4
    // when no sound can be played at all (MciPlayer's codes).
    virtual int Open(const QString& path) = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void Close() = 0;
};

// The sound layer's file under the alias the alarm uses.
class MciSoundPreview final : public SoundPreview {
public:
    explicit MciSoundPreview(MciPlayer& player) : player_(player) {}
    QString Mode() override { return player_.MciMode(Alias()); }
    int Open(const QString& path) override {
        return player_.MciCommand(Alias(), QStringLiteral("open"), path);
    }
    void Play() override { player_.MciCommand(Alias(), QStringLiteral("play"), QString()); }
    void Stop() override { player_.MciCommand(Alias(), QStringLiteral("stop"), QString()); }
    void Close() override { player_.MciCommand(Alias(), QStringLiteral("close"), QString()); }

private:
    static QString Alias() { return QLatin1String(SoundAlias); }
    MciPlayer& player_;
};

} // namespace plimset
