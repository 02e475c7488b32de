#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/WorldFixture.h"
#include "world/GameObject.h"

namespace {

// Objects of two families, each with its own pool, that log their updates,
// draws and ends.
std::vector<std::string> journal;

template <int Family>
struct Probe : GameObject {
    static constexpr std::size_t kSlotSize = 128;
    static inline ObjectPool* pool = nullptr;

    explicit Probe(std::string name, std::function<bool(Probe&)> onUpdate = {})
        : GameObject(*pool, 0, 0, 0), name(std::move(name)), onUpdate(std::move(onUpdate)) {}
    ~Probe() override { journal.push_back("~" + name); }
    bool Update(World&) override {
        journal.push_back(name);
        return onUpdate ? onUpdate(*this) : true;
    }
    void Draw(const World&) override { journal.push_back("draw " + name); }

    std::string name;
    std::function<bool(Probe&)> onUpdate;
};
using Early = Probe<0>;
using Late = Probe<1>;
using Strings = std::vector<std::string>;

bool Ends(GameObject&) {
    return false;
}

// Constructs in T's pool, as the world does for its families; null when full.
template <class T, class... Args>
T* Make(Args&&... args) {
    void* slot = T::pool->Allocate();
    return slot ? new (slot) T(std::forward<Args>(args)...) : nullptr;
}
template <class T, class... Args>
T* MakeReserved(Args&&... args) {
    void* slot = T::pool->AllocateReserved();
    return slot ? new (slot) T(std::forward<Args>(args)...) : nullptr;
}

// The pools run on a field of their own; the probes never look at it.
struct PoolFixture : WorldFixture {
    PoolFixture() {
        journal.clear();
        Early::pool = &early;
        Late::pool = &late;
    }

    template <class T>
    static Strings Names(ObjectPool& pool) {
        Strings names;
        for (T* o : Each<T>(pool))
            names.push_back(o->name);
        return names;
    }

    ObjectPool early{Early::kSlotSize, 3};
    ObjectPool late{Late::kSlotSize, 4, 1};
};

}  // namespace

TEST_F(PoolFixture, AFullPoolCreatesNothingUntilAnObjectIsErased) {
    for (const char* name : {"a", "b", "c"})
        ASSERT_NE(Make<Early>(name), nullptr);
    EXPECT_EQ(Make<Early>("d"), nullptr);
    EXPECT_EQ(early.Count(), 3);
    EXPECT_EQ(journal, Strings{});  // nothing was constructed for "d"

    for (Early* o : Each<Early>(early)) {
        if (o->name == "b") o->onUpdate = Ends;
    }
    early.UpdateAll(world);
    EXPECT_EQ(early.Count(), 2);
    ASSERT_NE(Make<Early>("e"), nullptr);
    EXPECT_EQ(Names<Early>(early), (Strings{"a", "c", "e"}));
    EXPECT_EQ(Make<Early>("f"), nullptr);
}

TEST_F(PoolFixture, AnObjectEndingInItsFirstUpdateGoesAtOnceAndThePassGoesOn) {
    Make<Early>("a", Ends);
    Make<Early>("b");
    Make<Early>("c", Ends);
    early.UpdateAll(world);
    EXPECT_EQ(journal, (Strings{"a", "~a", "b", "c", "~c"}));
    EXPECT_EQ(Names<Early>(early), Strings{"b"});

    journal.clear();
    early.UpdateAll(world);
    early.DrawAll(world);
    EXPECT_EQ(journal, (Strings{"b", "draw b"}));
}

TEST_F(PoolFixture, AnObjectCreatedDuringItsPoolsPassIsUpdatedInThatPass) {
    Make<Early>("a", [](Early&) {
        Make<Early>("child");
        return false;  // the parent leaves in the same update
    });
    Make<Early>("b");
    early.UpdateAll(world);
    EXPECT_EQ(journal, (Strings{"a", "~a", "b", "child"}));
    EXPECT_EQ(Names<Early>(early), (Strings{"b", "child"}));
}

TEST_F(PoolFixture, AnObjectCreatedInAPoolThatAlreadyRanWaitsForTheNextStep) {
    Make<Late>("spawner", [](Late& self) {
        Make<Early>("spawned");
        self.onUpdate = {};
        return true;
    });
    early.UpdateAll(world);
    late.UpdateAll(world);
    EXPECT_EQ(journal, Strings{"spawner"});
    EXPECT_EQ(Names<Early>(early), Strings{"spawned"});

    journal.clear();
    early.UpdateAll(world);
    late.UpdateAll(world);
    EXPECT_EQ(journal, (Strings{"spawned", "spawner"}));
}

TEST_F(PoolFixture, ACursorErasesObjectsOfAnotherPoolWhileThatPoolRests) {
    for (const char* name : {"a", "b", "c"})
        Make<Early>(name);
    Make<Late>("bomb", [](Late&) {
        PoolCursor cursor(*Early::pool);
        while (cursor.HasNext()) {
            auto* o = static_cast<Early*>(cursor.Next());
            if (o->name != "b") cursor.EraseCurrent();
        }
        return true;
    });
    late.UpdateAll(world);
    EXPECT_EQ(journal, (Strings{"bomb", "~a", "~c"}));
    EXPECT_EQ(Names<Early>(early), Strings{"b"});
    EXPECT_EQ(early.Count(), 1);
}

TEST_F(PoolFixture, ClearEndsEveryObjectInListOrderAndFreesEverySlot) {
    for (const char* name : {"a", "b", "c"})
        Make<Early>(name);
    early.Clear();
    EXPECT_EQ(journal, (Strings{"~a", "~b", "~c"}));
    EXPECT_EQ(early.Count(), 0);
    for (const char* name : {"d", "e", "f"})
        EXPECT_NE(Make<Early>(name), nullptr);
    EXPECT_EQ(Make<Early>("g"), nullptr);
}

TEST_F(PoolFixture, ReservedSlotsAreOnlyForReservedCreations) {
    for (const char* name : {"a", "b", "c"})
        ASSERT_NE(Make<Late>(name), nullptr);
    EXPECT_EQ(Make<Late>("d"), nullptr);
    ASSERT_NE(MakeReserved<Late>("e"), nullptr);
    EXPECT_EQ(MakeReserved<Late>("f"), nullptr);
    EXPECT_EQ(late.Count(), 4);
    EXPECT_EQ(Names<Late>(late), (Strings{"a", "b", "c", "e"}));
}
