#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/WorldFixture.h"
#include "world/GameObject.h"

namespace {

// Objects that log their updates, draws and ends.
std::vector<std::string> journal;
using Strings = std::vector<std::string>;

struct Probe : GameObject {
    static constexpr std::size_t kSlotSize = 128;
    Probe(ObjectPool& pool, std::string name, std::function<bool()> onUpdate)
        : GameObject(pool, 0, 0, 0), name(std::move(name)), onUpdate(std::move(onUpdate)) {}
    ~Probe() override { journal.push_back("~" + name); }
    bool Update(World&) override {
        journal.push_back(name);
        return onUpdate ? onUpdate() : true;
    }
    void Draw(const World&) override { journal.push_back("draw " + name); }

    std::string name;
    std::function<bool()> onUpdate;
};

// The pool runs on a field of its own; the probes never look at it.
struct ObjectPoolTest : WorldFixture {
    ObjectPoolTest() { journal.clear(); }
    // Constructs in the pool as the world does; null, and nothing constructed, when full.
    Probe* Make(std::string name, std::function<bool()> onUpdate = {}, bool reserved = false) {
        void* slot = reserved ? pool.AllocateReserved() : pool.Allocate();
        return slot ? new (slot) Probe(pool, std::move(name), std::move(onUpdate)) : nullptr;
    }
    Strings Names() const {
        Strings names;
        for (Probe* o : Each<Probe>(pool))
            names.push_back(o->name);
        return names;
    }
    ObjectPool pool{Probe::kSlotSize, 4, 1};
};

}  // namespace

TEST_F(ObjectPoolTest, AFullPoolRefusesUntilAnObjectGoesAndReservedSlotsAreKeptApart) {
    for (const char* name : {"a", "b", "c"})
        ASSERT_NE(Make(name), nullptr);
    EXPECT_EQ(Make("d"), nullptr);
    EXPECT_EQ(journal, Strings{});  // nothing was constructed for "d"
    ASSERT_NE(Make("e", {}, true), nullptr);
    EXPECT_EQ(Make("f", {}, true), nullptr);

    (*Each<Probe>(pool).begin())->onUpdate = [] { return false; };
    pool.UpdateAll(world);
    EXPECT_EQ(Make("g"), nullptr);  // one slot free: only for reserved creations
    ASSERT_NE(Make("h", {}, true), nullptr);
    EXPECT_EQ(Names(), (Strings{"b", "c", "e", "h"}));

    journal.clear();
    pool.Clear();
    EXPECT_EQ(journal, (Strings{"~b", "~c", "~e", "~h"}));
    for (const char* name : {"i", "j", "k"})
        EXPECT_NE(Make(name), nullptr);
}

TEST_F(ObjectPoolTest, ObjectsMadeDuringAPassAreUpdatedInItAndOnesThatEndGoAtOnce) {
    Make("a", [this] {
        Make("child");
        return false;  // the parent leaves in the same update
    });
    Make("b");
    pool.UpdateAll(world);
    EXPECT_EQ(journal, (Strings{"a", "~a", "b", "child"}));
    journal.clear();
    pool.UpdateAll(world);
    pool.DrawAll(world);
    EXPECT_EQ(journal, (Strings{"b", "child", "draw b", "draw child"}));
}
