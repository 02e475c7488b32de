// libFuzzer target: the sound effects' WAV check and the load behind it, on
// arbitrary bytes. A file is refused or decoded within its bounds; never a
// crash, a hang or a gigabyte.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "audio/platform/MixerSounds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        auto folder =
            std::filesystem::temp_directory_path() / ("velmora_fuzz_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        return (folder / "input.wav").string();
    }();
    static auto mixer = std::make_shared<Mixer>();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    MixerSounds sounds(mixer);
    sounds.Play(sounds.Load(path));
    return 0;
}
