#include "sound/SoundBackend.h"
#include "sound/SoundModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>

#include <atomic>
#include <cstdio>

namespace plimset {

namespace {

class SilentBackend final : public SoundBackend {
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
    const QString name = QString::fromLatin1(SoundModuleName) + QStringLiteral(".so");
    const QDir executableDir(QCoreApplication::applicationDirPath());
    candidates << executableDir.filePath(name)
               << QDir::cleanPath(
                      executableDir.filePath(QStringLiteral("../libexec/plimset/") + name))
               << QDir(QStringLiteral(PLIMSET_INSTALLED_MODULE_DIR)).filePath(name);
    candidates.removeDuplicates();
    return candidates;
}

} // namespace

std::unique_ptr<SoundBackend> LoadSoundBackend() {
    const QStringList candidates = ModuleCandidates();
    QStringList failures;
    for (const QString& candidate : candidates) {
        // Kept loaded for the rest of the process: its code runs until the end.
        QLibrary module(candidate);
        module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        const auto make = reinterpret_cast<SoundBackendFactory>(module.resolve(SoundModuleFactory));
        if (make != nullptr) {
            if (SoundBackend* backend = make()) {
                return std::unique_ptr<SoundBackend>(backend);
            }
        }
        if (QFile::exists(candidate)) {
            failures << module.errorString();
        }
    }
    static std::atomic<bool> reported{false};
    if (!reported.exchange(true)) {
        const QString where = failures.isEmpty()
                                  ? QStringLiteral("not found in ") + candidates.join(u", ")
                                  : QStringLiteral("not loaded: ") + failures.join(u"; ");
        std::fprintf(stderr,
                     "plimset: no sound can be played: the sound module was %s; alerts ring "
                     "the display's bell instead\n",
                     where.toLocal8Bit().constData());
        std::fflush(stderr);
    }
    return nullptr;
}

std::unique_ptr<SoundBackend> MakeSilentBackend() {
    return std::make_unique<SilentBackend>();
}

} // namespace plimset
