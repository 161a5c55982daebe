#pragma once

#include <QByteArray>

namespace plimset {

// The system beep: a short tone, sounded a number of times in a row.
class Beeper {
public:
    virtual ~Beeper() = default;
    // Sounds `count` distinct beeps; nothing for a count below 1.
    virtual void Beep(int count) = 0;
    // Readies the way to the audio server ahead of the first beep, so that it is heard at
    // once; cheap to call again.
    virtual void Prepare() {}
};

// The highest count sounded; larger counts give this many, so that a row of beeps always
// ends within the second between two rings.
inline constexpr int MaxBeeps = 99;

// The timing of a row of beeps, in samples: silence before the first, then for each beep
// the tone and the gap after it.
struct BeepTiming {
    int lead = 0;
    int tone = 0;
    int gap = 0;
};
BeepTiming BeepTimingFor(int count, int sampleRate);

// The row of beeps as signed 16-bit mono samples at `sampleRate`: a 1 kHz tone with soft
// edges. Empty for a count below 1.
QByteArray SynthesizeBeeps(int count, int sampleRate);

} // namespace plimset
