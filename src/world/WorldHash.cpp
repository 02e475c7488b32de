#include "world/WorldHash.h"

#include <bit>
#include <sstream>
#include <string_view>

#include "util/Fnv.h"
#include "world/GameObject.h"
#include "world/World.h"

uint64_t HashWorld(const World& world) {
    Fnv fnv;
    fnv.Add(world.GetScore().Text());
    fnv.Add(world.GetHighScore().Text());
    fnv.AddValue(world.GetLives());
    fnv.AddValue(world.GetFrameCounter());
    // The first boss fight always counts; the others only while a boss holds
    // them, so a field with one boss hashes as it always did.
    for (int i = 0; i < World::kBossFights; ++i) {
        const World::BossFight& fight = world.BossFightAt(i);
        if (i > 0 && !fight.taken) continue;
        fnv.AddValue(fight.timer);
        fnv.AddValue(std::bit_cast<uint32_t>(fight.gauge));
    }
    std::ostringstream random;
    random << world.RandomState();
    fnv.Add(random.str());
    int family = 0;
    for (const ObjectPool* pool : world.Pools()) {
        fnv.AddValue(family++);
        for (const GameObject* o : Each<const GameObject>(*pool)) {
            fnv.Add(o->HashName());
            fnv.AddValue(std::bit_cast<uint32_t>(o->x));
            fnv.AddValue(std::bit_cast<uint32_t>(o->y));
        }
    }
    // Runners count only while patterns play, so a field without them hashes
    // as it always did.
    const PatternRunnerPool& runners = world.patternRunners;
    for (int i = 0; runners.Live() > 0 && i < runners.Capacity(); ++i) {
        if (!runners.InUse(i)) continue;
        const PatternRunner& r = runners[i];
        fnv.AddValue(i);
        fnv.AddValue(r.pc);
        fnv.AddValue(r.turn);
        fnv.AddValue(r.resumeTurn);
        fnv.AddValue(r.body.direction);
        fnv.AddValue(r.body.speed);
    }
    return fnv.Value();
}
