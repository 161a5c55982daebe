#pragma once

#include "alerts/Beeper.h"

#include <QBuffer>
#include <QObject>

#include <memory>

class QAudioSink;

namespace plimset {

// The beep heard through the audio server: the tones are synthesized and played through a
// QAudioSink, which is made at the first beep and kept. A beep while one is still sounding
// starts the new row at once.
class ToneBeeper : public QObject, public Beeper {
    Q_OBJECT
public:
    explicit ToneBeeper(QObject* parent = nullptr);
    ~ToneBeeper() override;

    void Beep(int count) override;

private:
    std::unique_ptr<QAudioSink> sink_;
    QBuffer buffer_;
    int sampleRate_ = 48000;
    bool started_ = false;
};

} // namespace plimset
