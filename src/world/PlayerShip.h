#pragma once
#include "world/GameObject.h"

// The player's ship with up to ten options. Each state of the ship (flying in,
// in play, respawning) is its own class; a state hands over by creating the
// next one, making it the current player and ending itself.
class PlayerShip : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 176;
    static ObjectPool& PoolIn(World& world);
    static constexpr int kMaxOptions = 10;

    PlayerShip(World& world, float x, float y, int optionCount);
    // The field never keeps pointing at a ship that is gone.
    ~PlayerShip() override;

    // Controls: firing, movement within the field, the options.
    bool Update(World& world) override;
    // The ship and its options. The ship's own draw keeps whatever blending the
    // previous draw left.
    void Draw(const World& world) override;
    // While focused: the box bullets hit, exactly, in the screen's pixels.
    void DrawHitBox(const World& world) const;

    // One volley: three shots from the ship, one from each option.
    void Fire(World& world);
    // A collected option item: one more option, or 100 points at ten.
    void AddOption(World& world);

    struct OptionSlot {
        float x, y;
    };

    float bank = 0.0f;  // roll, turns
    float alpha = 1.0f;
    int shotTimer = 0;  // updates of trailing fire left after the button is released
    int firePhase = 0;  // volleys go out when it is 0, every fourth update
    OptionSlot optionSlots[kMaxOptions];
    int optionCount;

protected:
    World& home;
    using OptionTargets = OptionSlot[kMaxOptions];
    // A row five units below the ship; unused slots gather on it.
    void AimOptionsInFormation(OptionTargets& targets) const;
    // One option above each enemy, in list order; the rest gather on the ship.
    void AimOptionsAtEnemies(const World& world, OptionTargets& targets) const;
    void MoveOptions(const OptionTargets& targets);
};
