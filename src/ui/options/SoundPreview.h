#pragma once

#include <QString>

namespace plimset {

// The sound layer as the Options dialog's test play uses it: one file open at a time
// under the alias the alarm uses too.
class SoundPreview {
public:
    virtual ~SoundPreview() = default;
    // "playing", "stopped", or another text (nothing open) for the file under the alias.
    virtual QString Mode() = 0;
    // 0 when the file is open, -1 when it was not found, -2 when it cannot be played.
    virtual int Open(const QString& path) = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void Close() = 0;
};

// The beep the test-beep button sounds.
class PreviewBeeper {
public:
    virtual ~PreviewBeeper() = default;
    // Sounds `count` beeps in a row; nothing for a count below 1.
    virtual void Beep(int count) = 0;
};

// Until the program has a sound layer: nothing can be opened, and the beep is the
// toolkit's.
class NoSoundPreview final : public SoundPreview {
public:
    QString Mode() override { return QString(); }
    int Open(const QString&) override { return -2; }
    void Play() override {}
    void Stop() override {}
    void Close() override {}
};

class ToolkitBeeper final : public PreviewBeeper {
public:
    void Beep(int count) override;
};

} // namespace plimset
