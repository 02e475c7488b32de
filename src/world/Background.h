#pragma once
#include "world/GameObject.h"

// The scrolling floor of the play field: four copies of the background model
// that glide down the screen and repeat every 120 steps.
class Background : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 64;
    static ObjectPool& Pool();

    Background();
    bool Update() override;
    void Draw() override;

    int counter = 0;
};
