#pragma once
#include <cstddef>
#include <new>
#include <utility>

#include "world/ObjectPool.h"

// Everything on the play field, and every scene. Positions are field units, x to
// the right and y down the screen; the hit box is given as offsets from (x, y).
class GameObject : public PoolNode {
public:
    GameObject(ObjectPool& pool, float x, float y, float depth);
    GameObject(ObjectPool& pool, float x, float y, float depth, float hitLeft, float hitTop,
               float hitRight, float hitBottom);

    // False ends the object's life.
    virtual bool Update() { return true; }
    virtual void Draw() {}

    float x, y;
    float depth;
    float hitLeft = 0, hitTop = 0, hitRight = 0, hitBottom = 0;
};

// Walks a pool's list; the object just yielded may be erased through it.
class PoolCursor {
public:
    explicit PoolCursor(ObjectPool& pool) : sentinel(pool.Sentinel()), at(sentinel) {}
    bool HasNext() const { return at->next != sentinel; }
    GameObject* Next() {
        at = at->next;
        return static_cast<GameObject*>(at);
    }
    // The following Next yields the object that came after the erased one.
    void EraseCurrent() {
        at = at->prev;
        DestroyObject(at->next);
    }

private:
    PoolNode* sentinel;
    PoolNode* at;
};

// A read-only walk over a pool as objects of its family: for (Enemy* e : Each<Enemy>(pool)).
// The body may create objects but must not erase any of this pool.
template <class T>
class Each {
public:
    class Iterator {
    public:
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        explicit Iterator(PoolNode* node) : node(node) {}
        T* operator*() const { return static_cast<T*>(node); }
        Iterator& operator++() {
            node = node->next;
            return *this;
        }
        bool operator==(const Iterator&) const = default;

    private:
        PoolNode* node;
    };

    explicit Each(const ObjectPool& pool) : sentinel(pool.Sentinel()) {}
    Iterator begin() const { return Iterator(sentinel->next); }
    Iterator end() const { return Iterator(sentinel); }

private:
    PoolNode* sentinel;
};

// Every family base names its pool (T::Pool()) and the slot size that pool is
// made with (T::kSlotSize); creation checks at compile time that T fits.
template <class T>
constexpr bool FitsFamilySlot() {
    constexpr std::size_t align = alignof(std::max_align_t);
    return sizeof(T) <= T::kSlotSize && T::kSlotSize % align == 0 && alignof(T) <= align;
}

// Allocates from the family's pool and constructs there; null, and nothing
// constructed, when the pool is full.
template <class T, class... Args>
T* Create(Args&&... args) {
    static_assert(FitsFamilySlot<T>(), "the type outgrew its family's kSlotSize");
    void* slot = T::Pool().Allocate();
    return slot ? new (slot) T(std::forward<Args>(args)...) : nullptr;
}

// The same, allowed to take one of the pool's reserved slots.
template <class T, class... Args>
T* CreateReserved(Args&&... args) {
    static_assert(FitsFamilySlot<T>(), "the type outgrew its family's kSlotSize");
    void* slot = T::Pool().AllocateReserved();
    return slot ? new (slot) T(std::forward<Args>(args)...) : nullptr;
}
