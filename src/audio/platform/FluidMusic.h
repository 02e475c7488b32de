#pragma once
#include <SDL.h>
#include <fluidsynth.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "audio/MidiFile.h"
#include "audio/MusicBackend.h"
#include "audio/platform/Mixer.h"
#include "audio/platform/MusicStream.h"

// MIDI music: one FluidSynth synthesiser, played through a MusicStream.
//
// The soundfont loads once, on a thread of its own, so start-up never waits
// for it; a piece opened before it is ready starts when it is. The main thread
// only writes down what it wants (piece, position, stop) and the stream's
// thread carries that out before its next block, so no call of the game waits
// for the synthesiser and nothing but that thread touches it. Without a
// soundfont the pieces run silently, and still end on time.
class FluidMusic : public MusicBackend, private BlockSource {
public:
    // The General MIDI soundfont of Debian's timgm6mb-soundfont package.
    static constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

    FluidMusic(std::shared_ptr<Mixer> mixer, const std::string& soundFont);
    ~FluidMusic() override;

    bool Open(const std::string& path) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    void SetPosition(double seconds) override;
    bool ReachedEnd() override;
    void SetVolume(int level) override;
    void SetBalance(int level) override;
    // The player's music volume, 0..1 of the amplitude, on top of the game's own.
    void SetGain(float amplitude);

    // Whether the synthesiser is ready, with its soundfont or without: until
    // then a running piece waits at its start.
    bool IsLoaded() const { return loaded.load() != nullptr; }

private:
    struct Piece {
        std::string bytes;
        MidiOutline outline;
    };
    // What the main thread asks for. Counters tell the stream's thread what is new.
    struct Request {
        std::shared_ptr<const Piece> piece;
        int pieceCount = 0;
        int stopCount = 0;
        int positionCount = 0;
        double position = 0;
    };

    void LoadSynth(std::string soundFont);
    void UpdateVolume();
    void Fill(float* samples, int frames) override;
    void Carry(const Request& next);
    void Load(const Piece* piece);
    void Seek();
    void Render(float* samples, int frames);

    std::shared_ptr<Mixer> mixer;
    std::thread loader;
    fluid_settings_t* settings = nullptr;
    std::atomic<fluid_synth_t*> loaded{nullptr};

    std::mutex requestLock;
    Request request;  // written by the main thread only, read under the lock
    int volumeLevel = 0, balanceLevel = 0;
    float gain = 1.0f;
    // The position count at which the piece was last seen at its end.
    std::atomic<int> endedAt{-1};

    // The stream's thread's own.
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    Request done;
    bool seekPending = false;

    std::unique_ptr<MusicStream> stream;  // last: its thread reaches everything above
};
