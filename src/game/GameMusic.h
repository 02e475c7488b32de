#pragma once
// The music as the game asks for it. While silent (a replay seeking through
// minutes in a moment) what is asked is only remembered; heard again, it plays
// the piece the game has come to, at the volume it has come to.
#include <memory>
#include <string>

#include "audio/MusicPlayer.h"

class GameMusic {
public:
    explicit GameMusic(std::unique_ptr<MusicPlayer> player);

    // A piece from its start, at full volume.
    void Play(const std::string& path);
    void SetVolume(float volume);
    // Paused, or going on (also after a stop).
    void Pause(bool pause);
    // Stops and rewinds.
    void Stop();
    // No piece, or the piece played to its end; never while silent.
    bool IsComplete();
    // A piece that played to its end starts again.
    void Loop();
    void SetSilent(bool silent);

private:
    enum class State { Running, Paused, Stopped };
    // What the game has asked for.
    struct Asked {
        std::string piece;
        float volume = 1.0f;
        State state = State::Stopped;
        bool operator==(const Asked&) const = default;
    };

    std::unique_ptr<MusicPlayer> player;
    Asked asked, heard;
    bool silent = false;
};
