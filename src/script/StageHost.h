#pragma once

class World;

// The pieces of the music table a stage can play, numbered from 0.
inline constexpr int kStagePieces = 8;

// What the stage's commands ask of the game around them.
class StageHost {
public:
    virtual ~StageHost() = default;
    // Where the stage's enemies come in.
    virtual World& Field() = 0;
    // Starts piece n (0 to kStagePieces - 1) of the music table from its beginning at full volume.
    virtual void PlayMusic(int n) = 0;
    // Fades the music out over the frames.
    virtual void FadeOutMusic(int frames) = 0;
    // Ends the game: the game-over scene, then the title.
    virtual void GameOver() = 0;
};
