#pragma once

// What the play field asks of the game around it: the few moments at which
// something on the field starts a scene or holds up the stage.
class GameFlow {
public:
    virtual ~GameFlow() = default;
    // The last life is lost.
    virtual void GameOver() = 0;
    // The boss enters: the stage waits for its fight to end.
    virtual void HaltStage() = 0;
    // The boss announces itself before it descends.
    virtual void BossWarning() = 0;
    // A pair of boss parts ended, destroyed or escaped: the stage goes on and the
    // ending starts.
    virtual void BossFightEnded() = 0;
};
