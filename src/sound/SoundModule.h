#pragma once

#include <memory>

namespace plimset {

class SoundBackend;

// The sound back end lives in a module of its own (plimset_sound), loaded by the sound
// layer's thread at the first sound: a Plimset that never rings never maps the decoders
// or the audio server's client library. The module exports one C function of this name
// and type, which makes a back end.
inline constexpr char SoundModuleName[] = "plimset_sound";
inline constexpr char SoundModuleFactory[] = "plimset_make_sound_backend";
using SoundBackendFactory = SoundBackend* (*)();

// The module's back end, looked for in PLIMSET_SOUND_MODULE (a file), beside the
// executable, in libexec/plimset beside the executable's folder, then in the folder the
// build installs it in (so that a copy of the executable kept elsewhere finds it too).
// Nothing when none loads; that is said once on standard error.
std::unique_ptr<SoundBackend> LoadSoundBackend();

// A back end that plays nothing: every file check and stream fails.
std::unique_ptr<SoundBackend> MakeSilentBackend();

} // namespace plimset
