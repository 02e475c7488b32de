#pragma once
#include <memory>
#include <string>

#include "audio/MusicBackend.h"

// The game's music: one piece at a time, with the playback state kept here
// (no piece, stopped, paused, running, finished) so every back end behaves alike.
class MusicPlayer {
public:
    enum class State { NoPiece, Stopped, Paused, Running };

    explicit MusicPlayer(std::unique_ptr<MusicBackend> backend) : backend(std::move(backend)) {}

    // Discards the current piece, even when the new one cannot be opened.
    bool Open(const std::string& path);
    void Play();
    void Pause();
    // Stops and rewinds.
    void Stop();
    void SetPosition(double seconds);
    // True with no piece and once a running piece reached its end; never while
    // stopped or paused. Never blocks.
    bool IsComplete();
    // Linear 0..1, outside clamped.
    void SetVolume(float volume) { backend->SetVolume(VolumeLevel(volume)); }
    // -1 (left) to 1 (right).
    void SetBalance(float balance) { backend->SetBalance(BalanceLevel(balance)); }
    State GetState() const { return state; }

    // The level for a linear volume: 1000 log10(v) hundredths of a decibel,
    // truncated and clamped to -10000..0.
    static int VolumeLevel(float volume);
    static int BalanceLevel(float balance);

private:
    std::unique_ptr<MusicBackend> backend;
    State state = State::NoPiece;
};
