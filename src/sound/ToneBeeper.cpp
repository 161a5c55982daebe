#include "sound/ToneBeeper.h"

#include "sound/SoundDevices.h"
#include "sound/SoundWorker.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plimset {

namespace {

constexpr double toneHz = 1000.0;
constexpr double amplitude = 0.5;
constexpr double leadSeconds = 0.010;
constexpr double longestPeriod = 0.100; // one beep and its gap, for a few beeps
constexpr double rowSeconds = 0.900;    // a whole row fits well inside a second
constexpr double toneShare = 0.6;
// Ample time for the thread to find that no sound back end loads (it finds so at once).
constexpr int loadBoundMs = 300;

} // namespace

BeepTiming BeepTimingFor(int count, int sampleRate) {
    count = std::clamp(count, 1, MaxBeeps);
    const double period = std::min(longestPeriod, rowSeconds / count);
    BeepTiming t;
    t.lead = static_cast<int>(std::lround(leadSeconds * sampleRate));
    t.tone = static_cast<int>(std::lround(period * toneShare * sampleRate));
    t.gap = static_cast<int>(std::lround(period * sampleRate)) - t.tone;
    return t;
}

QByteArray SynthesizeBeeps(int count, int sampleRate) {
    if (count < 1) {
        return {};
    }
    count = std::min(count, MaxBeeps);
    const BeepTiming t = BeepTimingFor(count, sampleRate);
    const int total = t.lead + count * (t.tone + t.gap);
    QByteArray data(total * static_cast<int>(sizeof(qint16)), '\0');
    auto* samples = reinterpret_cast<qint16*>(data.data());
    // Edges of a millisecond (less for very short tones) keep the beeps free of clicks.
    const int edge = std::max(1, std::min(sampleRate / 1000, t.tone / 4));
    for (int b = 0; b < count; ++b) {
        qint16* tone = samples + t.lead + b * (t.tone + t.gap);
        for (int i = 0; i < t.tone; ++i) {
            const double envelope =
                std::min({1.0, double(i) / edge, double(t.tone - 1 - i) / edge});
            const double v =
                amplitude * envelope * std::sin(2.0 * std::numbers::pi * toneHz * i / sampleRate);
            tone[i] = static_cast<qint16>(std::lround(v * 32767.0));
        }
    }
    return data;
}

ToneBeeper::ToneBeeper(QObject* parent, std::shared_ptr<SoundWorker> worker,
                       std::function<void()> bell)
    : QObject(parent), worker_(worker ? std::move(worker) : SoundWorker::Shared()),
      bell_(bell ? std::move(bell) : std::function<void()>(&QApplication::beep)) {}

ToneBeeper::~ToneBeeper() = default;

void ToneBeeper::Beep(int count) {
    if (count < 1) {
        return;
    }
    if (!worker_->Start() || worker_->Reports().Output() == SoundOutput::Missing) {
        bell_();
        return;
    }
    if (worker_->Reports().Output() == SoundOutput::Unknown) {
        // The first sound of the process: the back end is being loaded.
        QTimer::singleShot(loadBoundMs, this, [this] {
            if (worker_->Reports().Output() == SoundOutput::Missing) {
                bell_();
            }
        });
    }
    worker_->Post([samples = SynthesizeBeeps(count, sampleRate)](SoundDevices& devices) {
        devices.Beep(samples, sampleRate);
    });
}

void ToneBeeper::Prepare() {
    if (prepared_) {
        return;
    }
    prepared_ = true;
    if (worker_->Start()) {
        worker_->Post([](SoundDevices& devices) { devices.Prepare(); });
    }
}

} // namespace plimset
