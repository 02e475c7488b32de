#include "audio/platform/FluidMusic.h"

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
    : mixer(std::move(mixer)) {
    // The synthesiser's complaints (missing presets, files it cannot read) would
    // flood the terminal; the failures that matter are reported here, once.
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
        fluid_set_log_function(level, nullptr, nullptr);
    if (!this->mixer->IsOpen()) return;
    loader = std::thread(&FluidMusic::LoadSynth, this, soundFont);
    stream = std::make_unique<MusicStream>(this->mixer, static_cast<BlockSource&>(*this));
}

FluidMusic::~FluidMusic() {
    stream.reset();  // its thread is the only one that touches the synthesiser
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
            std::fprintf(stderr, "velmora: music %s not played: %s\n", path.c_str(),
                         piece->outline.problem.c_str());
            ok = false;
        }
    }
    if (!stream) return ok;
    stream->SetRunning(false);
    {
        std::lock_guard<std::mutex> lock(requestLock);
        request.piece = ok ? std::move(piece) : nullptr;
        ++request.pieceCount;
        request.position = 0;
        ++request.positionCount;
    }
    stream->Flush();
    return ok;
}

void FluidMusic::Play() {
    if (stream) stream->SetRunning(true);
}

void FluidMusic::Pause() {
    if (stream) stream->SetRunning(false);
}

void FluidMusic::Stop() {
    if (!stream) return;
    stream->SetRunning(false);
    {
        std::lock_guard<std::mutex> lock(requestLock);
        ++request.stopCount;
    }
    stream->Flush();
}

void FluidMusic::SetPosition(double seconds) {
    if (!stream) return;
    {
        std::lock_guard<std::mutex> lock(requestLock);
        request.position = seconds;
        ++request.positionCount;
    }
    stream->Flush();
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
    if (stream) {
        stream->SetVolume(
            static_cast<int>(std::lround(MixerVolume(std::max(leftLevel, -10000)) * gain)),
            static_cast<int>(std::lround(MixerVolume(std::max(rightLevel, -10000)) * gain)));
    }
}

void FluidMusic::SetGain(float amplitude) {
    gain = std::clamp(amplitude, 0.0f, 1.0f);
    UpdateVolume();
}

void FluidMusic::Fill(float* samples, int frames) {
    std::fill(samples, samples + Mixer::kChannels * frames, 0.0f);
    if (!synth) synth = loaded.load(std::memory_order_acquire);
    if (!synth) return;
    Request next;
    {
        std::lock_guard<std::mutex> lock(requestLock);
        next = request;
    }
    Carry(next);
    Render(samples, frames);
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

void FluidMusic::Render(float* samples, int frames) {
    if (!player) return;
    if (seekPending) Seek();
    if (fluid_player_get_status(player) == FLUID_PLAYER_READY) fluid_player_play(player);
    fluid_synth_write_float(synth, frames, samples, 0, 2, samples, 1, 2);
    if (fluid_player_get_status(player) == FLUID_PLAYER_DONE)
        endedAt.store(done.positionCount, std::memory_order_release);
}
