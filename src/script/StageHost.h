#pragma once

class World;
struct MusicChoice;

// What the stage's commands ask of the game around them.
class StageHost {
public:
    virtual ~StageHost() = default;
    // Where the stage's enemies come in.
    virtual World& Field() = 0;
    // Starts a piece from its beginning at full volume.
    virtual void PlayMusic(const MusicChoice& piece) = 0;
    // Fades the music out over the frames.
    virtual void FadeOutMusic(int frames) = 0;
    // Ends the game: the game-over scene, then the title.
    virtual void GameOver() = 0;
    // A boss came and the stage holds for it. endsStage: the end of its fight
    // is the stage's end, as the first stage's "teki boss" was.
    virtual void BossFightBegins(bool endsStage) = 0;
    // The stage is cleared: the ending with this piece.
    virtual void ClearStage(const MusicChoice& piece) = 0;
};
