#include "world/KindTuning.h"

#include <array>

// A row names only what its kind uses; the rest keeps its default on purpose.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

constexpr float kSmallHitPoints = 10.0f, kLargeHitPoints = 100.0f;
constexpr int kSmallScore = 100, kLargeScore = 1000, kBossBonus = 10000;
constexpr int kBossTime = 3600;
// The boss's aimed bullets speed up with the level; its rings grow denser.
constexpr Rising kBossAimedSpeed{0.8f, 1.0f / 3.0f};
constexpr Rising kBossRing{4.0f, 12.0f};

// Indexed by Kind.
constexpr auto kTuning = std::to_array<KindTuning>({
    // Obj1: dives straight, spinning; a three-way spread twice in every hundred updates.
    {.model = "obj1", .hitPoints = kSmallHitPoints, .score = kSmallScore, .descent = 0.4f,
     .spin = 0.01f,
     .fire = {.every = {10.0f}, .cycle = 100, .window = {20.0f, 60.0f}, .count = {3.0f},
              .spread = 0.04f}},
    // Obj2: weaves down; single shots at the ship.
    {.model = "obj5", .hitPoints = kSmallHitPoints, .score = kSmallScore, .descent = 0.3f,
     .weave = 0.8f, .wave = Wave::Cosine,
     .fire = {.every = {6.0f}, .cycle = 100, .window = {20.0f, 60.0f}, .windowClosed = true}},
    // Obj3: drifts; now and then a bullet back up the field that splits.
    {.model = "obj2", .hitPoints = kSmallHitPoints, .score = kSmallScore, .drift = 0.5f,
     .fire = {.chance = {0.04, 0.08}, .speed = {0.4f}}},
    // Big1: dives straight; wide fans of seventeen, then sixteen.
    {.model = "obj1", .hitPoints = kLargeHitPoints, .score = kLargeScore, .descent = 0.4f,
     .spin = 0.01f,
     .fire = {.every = {10.0f}, .cycle = 100, .window = {20.0f, 60.0f}, .count = {17.0f},
              .spread = 0.03f}},
    // Big2: weaves down; five-way bursts at the ship.
    {.model = "obj5", .hitPoints = kLargeHitPoints, .score = kLargeScore, .descent = 0.3f,
     .weave = 0.4f, .wave = Wave::Sine,
     .fire = {.every = {4.0f}, .cycle = 100, .window = {30.0f, 60.0f}, .windowClosed = true,
              .count = {5.0f}, .spread = 0.01f}},
    // Big3: drifts; five splitting bullets at once.
    {.model = "obj2", .hitPoints = kLargeHitPoints, .score = kLargeScore, .drift = 0.5f,
     .fire = {.chance = {0.08, 0.16}, .count = {5.0f}, .spread = 0.1f, .speed = {0.4f}}},
    // Big4: the head of a chain whose first link chases the ship.
    {.model = "obj6", .hitPoints = 30.0f, .score = kLargeScore, .descent = 0.2f, .chase = 0.6f,
     .leash = 72.0f, .bottom = 74.0f + 72.0f},
    // Big5: the hub of three arms of satellites.
    {.model = "obj4", .hitPoints = kLargeHitPoints, .score = kLargeScore, .descent = 0.2f,
     .bottom = 120.0f},
    // Big6: the turning hub of a breathing ring of satellites.
    {.model = "obj3", .hitPoints = kLargeHitPoints, .score = kLargeScore, .descent = 0.2f,
     .spin = 0.002f, .bottom = 108.0f},
    // A link of the chain: shots at the ship.
    {.model = "obj6", .hitPoints = kSmallHitPoints, .score = kSmallScore,
     .fire = {.every = {40.0f, -20.0f}, .speed = {0.8f}}},
    // A satellite of Big5: needles trailing its turn.
    {.model = "obj4", .hitPoints = kSmallHitPoints, .score = kSmallScore, .orbit = 0.04f,
     .fire = {.every = {10.0f, -5.0f}, .speed = {0.8f}}},
    // A satellite of Big6: bullets outward.
    {.model = "obj3", .hitPoints = kSmallHitPoints, .score = kSmallScore, .spin = 0.02f,
     .orbit = 0.02f, .fire = {.every = {10.0f, -5.0f}, .speed = {0.8f}}},
    // The boss entering: it cannot be destroyed, only touched.
    {.model = "big1", .hitPoints = 0.0f, .score = 0, .descent = 1.0f},
    // The boss's core: rings of needles both ways, bursts at the ship.
    {.model = "big1", .hitPoints = 2000.0f, .score = kBossBonus, .spin = 0.001f,
     .timeLimit = kBossTime,
     .fire = {.every = {10.0f}, .count = kBossRing, .speed = {0.3f}, .acceleration = 0.01f},
     .aimed = {.every = {4.0f}, .cycle = 60, .window = {30.0f}, .spread = 0.05f,
               .speed = kBossAimedSpeed}},
    // A part of one of the boss's two pairs: drifts apart, then denser, slower rings.
    {.model = "big1", .hitPoints = 1000.0f, .score = kBossBonus, .spin = 0.001f, .drift = 1.0f,
     .timeLimit = kBossTime,
     .fire = {.every = {16.0f}, .count = kBossRing, .speed = {0.2f}, .acceleration = 0.005f},
     .aimed = {.every = {4.0f}, .cycle = 90, .window = {30.0f}, .spread = 0.01f,
               .speed = kBossAimedSpeed}},
    // A part that ran out of time, flying off the top.
    {.model = "big1", .hitPoints = 0.0f, .score = 0, .descent = -1.0f},
});
// A kind left out would play with zeros.
static_assert(kTuning.size() == static_cast<std::size_t>(KindId::Count));

}  // namespace

const KindTuning& TuningOf(KindId kind) {
    return kTuning[static_cast<int>(kind)];
}
