#pragma once
// A field full of pattern bullets, each playing an action of its own for good:
// turning in circles, its speed changing a little, drawing from the field's
// generator. None leaves the field (a speed that changed much would carry the
// circles away).
#include <algorithm>

#include "pattern/PatternReader.h"
#include "world/PatternBullet.h"
#include "world/World.h"

inline constexpr const char* kSwarmPattern = R"(<bulletml>
<action label="top"><wait>1</wait></action>
<bullet label="swarm"><action><repeat><times>100000</times><action>
  <changeDirection><direction type="sequence">$1</direction><term>30</term></changeDirection>
  <changeSpeed><speed>0.3+$rand*0.01</speed><term>15</term></changeSpeed>
  <wait>15</wait>
  <changeSpeed><speed>0.29</speed><term>15</term></changeSpeed>
  <wait>15</wait>
</action></repeat></action></bullet>
</bulletml>)";

class PatternSwarm {
public:
    PatternSwarm() : read(ReadPatternText(kSwarmPattern, "swarm.xml")) {}

    // Fills the bullet pool; each bullet takes a runner of the field's pool.
    void Fill(World& world) {
        const auto& bullets = read.program->bullets;
        const auto swarm = static_cast<uint32_t>(
            std::find_if(bullets.begin(), bullets.end(),
                         [](const PatternBulletSpec& b) { return b.label == "swarm"; }) -
            bullets.begin());
        for (int i = 0; world.bulletPool.Count() < world.bulletPool.Capacity(); ++i) {
            int runner = world.patternRunners.Take();
            if (runner < 0) return;
            const double turn[] = {8.0 + i % 7};
            StartBulletRunner(world.patternRunners[runner], *read.program, swarm, turn);
            const float x = -34.0f + 1.5f * static_cast<float>(i % 46);
            const float y = -34.0f + 1.5f * static_cast<float>(i / 46);
            world.Spawn<PatternBullet>(world.BulletTable(), i % 2, x, y,
                                       PatternBody{i * 7.0, 0.2, 0.0, 0.0}, runner);
        }
    }

private:
    PatternRead read;
};
