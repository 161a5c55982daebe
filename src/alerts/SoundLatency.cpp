#include "alerts/SoundLatency.h"

#include <QByteArray>
#include <QtGlobal>

namespace plimset {

void RequestLowSoundLatency() {
    // Read by the audio server's client library (also the one PipeWire serves) when a
    // stream connects, for the beep and the media back end's streams alike.
    if (qEnvironmentVariableIsEmpty("PULSE_LATENCY_MSEC")) {
        qputenv("PULSE_LATENCY_MSEC", QByteArrayLiteral("30"));
    }
}

} // namespace plimset
