// The entry point of the sound module.
#include "sound/SoundModule.h"
#include "sound/MediaSoundBackend.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT plimset::SoundBackend* plimset_make_sound_backend() {
    return new plimset::MediaSoundBackend;
}
