#pragma once
#include "world/GameObject.h"

// A state of the game's flow (title, pause, game over...). Scenes live in their
// own pool, which runs also while the play field is paused, and draw last.
class Scene : public GameObject {
public:
    // Room for a scene's own counters and flags.
    static constexpr std::size_t kSlotSize = 80;
    static ObjectPool& Pool();

    Scene();
};
