#pragma once
#include "world/GameObject.h"

// Points collected, shown as text at the place they were won, fading for a second.
class ScorePopup : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 96;
    static ObjectPool& Pool();

    ScorePopup(float x, float y, int value);
    bool Update() override;
    void Draw() override;

    char text[12];  // any int in decimal, with its sign and the terminating zero
    int life = 60;
    int length;
};
