#include "alerts/SoundBackend.h"
#include "alerts/SoundModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace plimset {

namespace {

// Without the module: nothing can be played.
class NoSoundBackend final : public SoundBackend {
public:
    bool CheckReadable(const QString&, std::function<void(bool)> done) override {
        done(false);
        return true;
    }
    std::unique_ptr<DecodedSource> OpenSource(const QString&, DecodedSource::Events) override {
        return nullptr;
    }
    std::unique_ptr<AudioStream> StartStream(PcmFormat, std::shared_ptr<SampleQueue>,
                                             AudioStream::Events) override {
        return nullptr;
    }
    void ServerTrouble() override {}
};

QStringList ModuleCandidates() {
    QStringList candidates;
    const QString chosen = qEnvironmentVariable("PLIMSET_SOUND_MODULE");
    if (!chosen.isEmpty()) {
        candidates << chosen;
    }
    // Beside the executable in a build; in libexec/plimset of the prefix once installed.
    const QString name = QString::fromLatin1(SoundModuleName);
    const QDir executableDir(QCoreApplication::applicationDirPath());
    candidates << executableDir.filePath(name)
               << executableDir.filePath(QStringLiteral("../libexec/plimset/") + name);
    return candidates;
}

} // namespace

std::unique_ptr<SoundBackend> LoadSoundBackend() {
    for (const QString& candidate : ModuleCandidates()) {
        // Kept loaded for the rest of the process: its code runs until the end.
        QLibrary module(candidate);
        module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        const auto make = reinterpret_cast<SoundBackendFactory>(module.resolve(SoundModuleFactory));
        if (make != nullptr) {
            if (SoundBackend* backend = make()) {
                return std::unique_ptr<SoundBackend>(backend);
            }
        }
    }
    return std::make_unique<NoSoundBackend>();
}

} // namespace plimset
