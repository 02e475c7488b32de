#pragma once

// What the play field asks of the game around it: the few moments at which
// something on the field starts a scene or lets the stage go on.
class GameFlow {
public:
    virtual ~GameFlow() = default;
    // The last life is lost.
    virtual void GameOver() = 0;
    // A stage's boss (not a mid-boss) announces itself before it descends.
    virtual void BossWarning() = 0;
    // A boss's fight ended, destroyed or escaped: the stage goes on.
    virtual void BossFightEnded() = 0;
};
