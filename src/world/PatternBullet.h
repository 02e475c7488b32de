#pragma once
// Bullets fired by pattern files. They look, collide, graze and leave the field
// as the written bullets do; one with actions of its own plays them through its
// runner until it vanishes or leaves.
#include <glm/glm.hpp>

#include "pattern/PatternRunner.h"
#include "world/EnemyBullet.h"

class PatternRunnerPool;

class PatternBullet : public EnemyBullet {
public:
    // body in the format's units; runner is its own runner in the field's
    // pool, already started, or -1.
    PatternBullet(World& world, const ModelTable& table, int variant, float x, float y,
                  const PatternBody& body, int runner);
    ~PatternBullet() override;
    bool Update(World& world) override;

    int Runner() const { return runner; }

private:
    PatternRunnerPool& runners;
    int runner;
    glm::vec2 velocity;
};

// Runs a pattern's top actions from a point of the field: what an enemy holds
// to fire by a file.
class PatternEmitter {
public:
    PatternEmitter() = default;
    PatternEmitter(const PatternEmitter&) = delete;
    PatternEmitter& operator=(const PatternEmitter&) = delete;
    ~PatternEmitter() { Stop(); }

    // Takes a runner for each top action of program, which must outlive them.
    void Start(World& world, const PatternProgram& program);
    // One step of every top action, fired from (x, y) in the variant's colour.
    void Step(World& world, float x, float y, int variant);
    // Gives the runners back.
    void Stop();
    bool Running() const { return count > 0; }
    // Where the top actions steer the emitter itself.
    const PatternBody& Body() const { return body; }

private:
    PatternRunnerPool* runners = nullptr;
    int slots[kMaxTopActions];
    int count = 0;
    PatternBody body;
};
