#pragma once
// A play field on its own, driven one step at a time, on assets made in memory.
#include <vector>

#include <gtest/gtest.h>

#include "support/InMemoryAssets.h"
#include "support/Pads.h"
#include "support/TestEnemy.h"

class WorldFixture : public ::testing::Test {
protected:
    void Step(const PadState& pad = {}) {
        world.SetPad(pad);
        world.Step();
    }
    void Steps(int n, const PadState& pad = {}) {
        for (int i = 0; i < n; ++i)
            Step(pad);
    }
    int Plays(SoundRef sound) const { return assets.Plays(sound); }
    RecordingBackend& Backend() { return assets.Backend(); }

    // The objects of a pool that are of kind T, in list order.
    template <class T>
    static std::vector<T*> All(const ObjectPool& pool) {
        std::vector<T*> all;
        for (GameObject* o : Each<GameObject>(pool)) {
            if (auto* t = dynamic_cast<T*>(o)) all.push_back(t);
        }
        return all;
    }
    template <class T>
    static int CountOf(const ObjectPool& pool) {
        return static_cast<int>(All<T>(pool).size());
    }
    template <class T>
    static T* First(const ObjectPool& pool) {
        std::vector<T*> all = All<T>(pool);
        return all.empty() ? nullptr : all.front();
    }

    InMemoryAssets assets;
    RecordingFlow flow;
    World world{assets.refs, flow};
};
