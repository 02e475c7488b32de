#include "audio/platform/Mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <cstdio>
#include <string>

namespace {

// ALSA explains a missing sound card in several lines of its own; the one line
// below says it for the game.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

bool OpenDevice() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    // No format changes allowed: SDL converts for the device, and everyone
    // mixing into the output can rely on this one format.
    if (Mix_OpenAudioDevice(Mixer::kRate, AUDIO_S16SYS, Mixer::kChannels, Mixer::kFrames, nullptr,
                            0) == 0) {
        return true;
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

}  // namespace

Mixer::Mixer() {
    snd_lib_error_set_handler(&QuietAlsa);
    if (OpenDevice()) {
        open = true;
        return;
    }
    std::string why = SDL_GetError();
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    open = OpenDevice();
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    std::fprintf(stderr, "velmora: no sound device (%s), playing without sound\n", why.c_str());
}

Mixer::~Mixer() {
    if (!open) return;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
