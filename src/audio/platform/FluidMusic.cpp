#include "audio/platform/FluidMusic.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "util/AssetPath.h"
#include "util/FileData.h"

namespace {

// FluidSynth's default gain of 0.2 leaves the pieces around -30 dBFS RMS; this
// brings the stage piece to about -21 dBFS with peaks near -4 dBFS, room for
// the effects on top.
constexpr double kGain = 0.62;
// Far more than any piece of music; a bigger file is not read.
constexpr std::size_t kMaxPieceBytes = 16 << 20;

int MixerVolume(int hundredthsOfDecibel) {
    double amplitude = std::pow(10.0, hundredthsOfDecibel / 2000.0);
    return static_cast<int>(std::lround(SDL_MIX_MAXVOLUME * amplitude));
}

}  // namespace

FluidMusic::FluidMusic(std::shared_ptr<Mixer> mixer, const std::string& soundFont)
    : mixer(std::move(mixer)),
      left(Mixer::kFrames),
      right(Mixer::kFrames),
      mixed(Mixer::kFrames * Mixer::kChannels) {
    // The synthesiser's complaints (missing presets, files it cannot read) would
    // flood the terminal; the failures that matter are reported here, once.
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
        fluid_set_log_function(level, nullptr, nullptr);
    if (!this->mixer->IsOpen()) return;
    loader = std::thread(&FluidMusic::LoadSynth, this, soundFont);
    Mix_HookMusic(&FluidMusic::MixCallback, this);
}

FluidMusic::~FluidMusic() {
    // Once the hook is gone the audio thread is out of this object for good.
    if (mixer->IsOpen()) Mix_HookMusic(nullptr, nullptr);
    if (loader.joinable()) loader.join();
    if (player) delete_fluid_player(player);
    if (fluid_synth_t* s = loaded.load()) delete_fluid_synth(s);
    if (settings) delete_fluid_settings(settings);
}

void FluidMusic::LoadSynth(std::string soundFont) {
    settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", Mixer::kRate);
    fluid_settings_setnum(settings, "synth.gain", kGain);
    // The pieces use a handful of the soundfont's instruments: only theirs are loaded.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_synth_t* s = new_fluid_synth(settings);
    if (!s) {
        std::fprintf(stderr, "velmora: the MIDI synthesiser did not start; no music\n");
        return;
    }
    if (fluid_synth_sfload(s, soundFont.c_str(), 1) == FLUID_FAILED) {
        std::fprintf(stderr, "velmora: no soundfont at %s; the music plays silently\n",
                     soundFont.c_str());
    }
    loaded.store(s, std::memory_order_release);
}

bool FluidMusic::Open(const std::string& path) {
    auto piece = std::make_shared<Piece>();
    std::string error;
    bool ok = mixer->IsOpen();
    if (ok && !ReadFileLimited(ResolveAssetPath(path), kMaxPieceBytes, piece->bytes, error)) {
        std::fprintf(stderr, "velmora: music %s: %s\n", path.c_str(), error.c_str());
        ok = false;
    }
    if (ok) {
        piece->outline = ReadMidiOutline(piece->bytes);
        if (!piece->outline.valid) {
            std::fprintf(stderr, "velmora: music %s is not a MIDI file\n", path.c_str());
            ok = false;
        }
    }
    std::lock_guard<std::mutex> lock(requestLock);
    request.piece = ok ? std::move(piece) : nullptr;
    ++request.pieceCount;
    request.running = false;
    request.position = 0;
    ++request.positionCount;
    return ok;
}

void FluidMusic::Play() {
    std::lock_guard<std::mutex> lock(requestLock);
    request.running = true;
}

void FluidMusic::Pause() {
    std::lock_guard<std::mutex> lock(requestLock);
    request.running = false;
}

void FluidMusic::Stop() {
    std::lock_guard<std::mutex> lock(requestLock);
    request.running = false;
    ++request.stopCount;
}

void FluidMusic::SetPosition(double seconds) {
    std::lock_guard<std::mutex> lock(requestLock);
    request.position = seconds;
    ++request.positionCount;
}

bool FluidMusic::ReachedEnd() {
    // Only this thread writes the request, so reading it needs no lock.
    return request.piece && endedAt.load(std::memory_order_acquire) == request.positionCount;
}

void FluidMusic::SetVolume(int level) {
    volumeLevel = std::clamp(level, -10000, 0);
    UpdateVolume();
}

void FluidMusic::SetBalance(int level) {
    balanceLevel = std::clamp(level, -10000, 10000);
    UpdateVolume();
}

void FluidMusic::UpdateVolume() {
    // A positive balance takes its level off the left side, a negative one off the right.
    int leftLevel = volumeLevel - std::max(balanceLevel, 0);
    int rightLevel = volumeLevel + std::min(balanceLevel, 0);
    std::lock_guard<std::mutex> lock(requestLock);
    request.left = MixerVolume(std::max(leftLevel, -10000));
    request.right = MixerVolume(std::max(rightLevel, -10000));
}

void SDLCALL FluidMusic::MixCallback(void* self, Uint8* stream, int bytes) {
    auto* music = static_cast<FluidMusic*>(self);
    int frames = bytes / static_cast<int>(sizeof(Sint16) * Mixer::kChannels);
    if (!music->synth) music->synth = music->loaded.load(std::memory_order_acquire);
    if (!music->synth) return;
    Request next;
    {
        std::lock_guard<std::mutex> lock(music->requestLock);
        next = music->request;
    }
    music->Carry(next);
    music->Render(reinterpret_cast<Sint16*>(stream), frames);
}

// Brings the synthesiser to what the main thread asked for.
void FluidMusic::Carry(const Request& next) {
    if (next.pieceCount != done.pieceCount) {
        // Nothing of the last piece may ring into the next one.
        fluid_synth_system_reset(synth);
        Load(next.piece.get());
        seekPending = next.position > 0;
    } else if (next.positionCount != done.positionCount) {
        seekPending = true;
    }
    if (next.stopCount != done.stopCount) fluid_synth_all_sounds_off(synth, -1);
    done = next;
}

void FluidMusic::Load(const Piece* piece) {
    if (player) delete_fluid_player(player);
    player = piece ? new_fluid_player(synth) : nullptr;
    if (player) fluid_player_add_mem(player, piece->bytes.data(), piece->bytes.size());
}

void FluidMusic::Seek() {
    seekPending = false;
    if (done.position <= 0) {
        // FluidSynth skips the notes on the tick it seeks to, so the start of a
        // piece is reached by loading it afresh.
        Load(done.piece.get());
        return;
    }
    // Seconds to ticks at the tempo of the moment: close enough for MIDI.
    const MidiOutline& outline = done.piece->outline;
    double ticksPerSecond =
        outline.ticksPerSecond > 0
            ? outline.ticksPerSecond
            : outline.ticksPerQuarter * 1e6 / std::max(fluid_player_get_midi_tempo(player), 1);
    double ticks = std::min(done.position * ticksPerSecond,
                            static_cast<double>(std::numeric_limits<int>::max()));
    if (fluid_player_get_status(player) == FLUID_PLAYER_READY) fluid_player_play(player);
    if (fluid_player_seek(player, static_cast<int>(ticks)) == FLUID_OK) {
        fluid_player_play(player);
    } else {
        fluid_player_stop(player);  // past the end
    }
}

void FluidMusic::Render(Sint16* out, int frames) {
    if (!player || !done.running) return;
    if (seekPending) Seek();
    if (fluid_player_get_status(player) == FLUID_PLAYER_READY) fluid_player_play(player);
    for (int at = 0; at < frames; at += Mixer::kFrames) {
        int n = std::min(frames - at, Mixer::kFrames);
        fluid_synth_write_float(synth, n, left.data(), 0, 1, right.data(), 0, 1);
        for (int i = 0; i < n; ++i) {
            float l = left[i] * 32768.0f * done.left / SDL_MIX_MAXVOLUME;
            float r = right[i] * 32768.0f * done.right / SDL_MIX_MAXVOLUME;
            mixed[2 * i] = static_cast<Sint16>(std::clamp(std::lround(l), -32768L, 32767L));
            mixed[2 * i + 1] = static_cast<Sint16>(std::clamp(std::lround(r), -32768L, 32767L));
        }
        // Adds with clipping, as the mixer does for its channels.
        SDL_MixAudioFormat(reinterpret_cast<Uint8*>(out + 2 * at),
                           reinterpret_cast<const Uint8*>(mixed.data()), AUDIO_S16SYS,
                           static_cast<Uint32>(n * 2 * sizeof(Sint16)), SDL_MIX_MAXVOLUME);
    }
    if (fluid_player_get_status(player) == FLUID_PLAYER_DONE)
        endedAt.store(done.positionCount, std::memory_order_release);
}
