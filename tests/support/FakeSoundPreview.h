#pragma once

#include "sound/SoundPreview.h"

#include <QStringList>

namespace plimset {

// A sound layer that records what the Options dialog asks of it; `mode` and `openResult`
// are what it answers.
class FakeSoundPreview : public SoundPreview {
public:
    QString Mode() override { return mode; }
    int Open(const QString& path) override {
        calls << QStringLiteral("open ") + path;
        if (openResult == 0)
            mode = QStringLiteral("stopped");
        return openResult;
    }
    void Play() override {
        calls << QStringLiteral("play");
        mode = QStringLiteral("playing");
    }
    void Stop() override {
        calls << QStringLiteral("stop");
        mode = QStringLiteral("stopped");
    }
    void Close() override {
        calls << QStringLiteral("close");
        mode.clear();
    }

    QString mode;
    int openResult = 0;
    QStringList calls;
};

} // namespace plimset
