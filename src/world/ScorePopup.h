#pragma once
#include "world/GameObject.h"

// Points collected, shown as text at the place they were won, fading for a second.
class ScorePopup : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 96;
    static ObjectPool& PoolIn(World& world);

    ScorePopup(World& world, float x, float y, int value);
    bool Update(World& world) override;
    void Draw(const World& world) override;

    // Drawn this far above where the points were won, centred by this much a character.
    static constexpr float kRise = 16.0f, kCentring = 8.0f;

    char text[12];  // any int in decimal, with its sign and the terminating zero
    int life = 60;
    int length;
};
