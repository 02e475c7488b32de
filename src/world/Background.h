#pragma once
#include "world/GameObject.h"

// The scrolling floor of the play field: four copies of the background model
// that glide down the screen and repeat every 120 steps.
class Background : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 64;
    static ObjectPool& PoolIn(World& world);

    explicit Background(World& world);
    bool Update(World& world) override;
    void Draw(const World& world) override;

    int counter = 0;
};
