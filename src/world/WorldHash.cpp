#include "world/WorldHash.h"

#include <bit>
#include <sstream>
#include <string_view>
#include <typeinfo>

#include "util/Fnv.h"
#include "world/GameObject.h"
#include "world/World.h"

uint64_t HashWorld(const World& world) {
    Fnv fnv;
    fnv.Add(world.GetScore().Text());
    fnv.Add(world.GetHighScore().Text());
    fnv.AddValue(world.GetLives());
    fnv.AddValue(world.GetFrameCounter());
    fnv.AddValue(world.GetBossTimer());
    fnv.AddValue(std::bit_cast<uint32_t>(world.GetBossGauge()));
    std::ostringstream random;
    random << world.RandomState();
    fnv.Add(random.str());
    int family = 0;
    for (const ObjectPool* pool : world.Pools()) {
        fnv.AddValue(family++);
        for (const GameObject* o : Each<const GameObject>(*pool)) {
            fnv.Add(typeid(*o).name());
            fnv.AddValue(std::bit_cast<uint32_t>(o->x));
            fnv.AddValue(std::bit_cast<uint32_t>(o->y));
        }
    }
    return fnv.Value();
}
