#pragma once
#include <string>

// Plays one piece of music at a time. The back end only carries out the calls;
// MusicPlayer keeps the playback state.
class MusicBackend {
public:
    virtual ~MusicBackend() = default;
    // Discards the current piece and loads another, stopped at its start; false
    // (and nothing loaded) when the file is missing or not music.
    virtual bool Open(const std::string& path) = 0;
    // Runs from the current position.
    virtual void Play() = 0;
    // Falls silent and holds the position.
    virtual void Pause() = 0;
    // Falls silent and lets what still sounds go.
    virtual void Stop() = 0;
    virtual void SetPosition(double seconds) = 0;
    // Whether the piece played to its end since it was opened or last positioned.
    // Never blocks.
    virtual bool ReachedEnd() = 0;
    // Hundredths of a decibel, -10000 (silent) to 0 (full).
    virtual void SetVolume(int level) = 0;
    // Hundredths of a decibel taken off the other side: -10000 (left only) to
    // 10000 (right only).
    virtual void SetBalance(int level) = 0;
};
