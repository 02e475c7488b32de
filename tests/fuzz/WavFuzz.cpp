// libFuzzer target: the sound effects' WAV check and the load behind it, on
// arbitrary bytes. A file is refused or decoded within its bounds; never a
// crash, a hang or a gigabyte.
#include <cstdlib>

#include "audio/platform/MixerSounds.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto mixer = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        return std::make_shared<Mixer>();
    }();
    MixerSounds sounds(mixer);
    sounds.Play(sounds.Load(WriteFuzzInput("input.wav", data, size)));
    return 0;
}
