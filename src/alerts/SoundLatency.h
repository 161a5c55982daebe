#pragma once

namespace plimset {

// Asks the audio server for short buffers on the program's sound streams (unless the user
// chose a latency through PULSE_LATENCY_MSEC). Without it a stream may buffer up to two
// seconds before it is heard, and an alert rings late. Call before any sound is made.
void RequestLowSoundLatency();

} // namespace plimset
