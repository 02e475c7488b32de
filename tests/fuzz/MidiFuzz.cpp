// libFuzzer target: the music's MIDI check, then what the synthesiser does with
// a file that passes it: load it and render its first half second. Refused or
// played in bounded time; never a crash or a hang.
#include <fluidsynth.h>

#include <cstdint>
#include <string>
#include <vector>

#include "audio/MidiFile.h"
#include "audio/platform/Mixer.h"

namespace {

fluid_synth_t* Synth() {
    static fluid_synth_t* synth = [] {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
        fluid_settings_t* settings = new_fluid_settings();
        fluid_settings_setnum(settings, "synth.sample-rate", Mixer::kRate);
        return new_fluid_synth(settings);
    }();
    return synth;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!ReadMidiOutline(bytes).valid) return 0;
    fluid_synth_system_reset(Synth());
    fluid_player_t* player = new_fluid_player(Synth());
    fluid_player_add_mem(player, bytes.data(), bytes.size());
    fluid_player_play(player);
    std::vector<float> samples(2 * Mixer::kFrames);
    for (int block = 0; block < Mixer::kRate / 2 / Mixer::kFrames; ++block)
        fluid_synth_write_float(Synth(), Mixer::kFrames, samples.data(), 0, 2, samples.data(), 1,
                                2);
    fluid_player_stop(player);
    delete_fluid_player(player);
    return 0;
}
