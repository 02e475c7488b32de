#pragma once
#include <cstddef>
#include <new>
#include <utility>

#include "world/ObjectPool.h"

class World;

// Everything on the play field. Positions are field units, x to
// the right and y down the screen; the hit box is given as offsets from (x, y).
class GameObject : public PoolNode {
public:
    GameObject(ObjectPool& pool, float x, float y, float depth);
    GameObject(ObjectPool& pool, float x, float y, float depth, float hitLeft, float hitTop,
               float hitRight, float hitBottom);

    // False ends the object's life.
    virtual bool Update(World&) { return true; }
    virtual void Draw(const World&) {}
    // How the field's hash names what the object is: its type, unless it is
    // one of a kind that content describes.
    virtual const char* HashName() const;

    float x, y;
    float depth;
    float hitLeft = 0, hitTop = 0, hitRight = 0, hitBottom = 0;
};

// Walks a pool's list as objects of its family; the object just yielded may
// be erased through it.
template <class T = GameObject>
class PoolCursor {
public:
    explicit PoolCursor(ObjectPool& pool) : sentinel(pool.Sentinel()), at(sentinel) {}
    bool HasNext() const { return at->next != sentinel; }
    T* Next() {
        at = at->next;
        return static_cast<T*>(at);
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

// Every family base names its pool in a world (T::PoolIn) and the slot size
// that pool is made with (T::kSlotSize); World::Spawn checks at compile time
// that T fits.
template <class T>
constexpr bool FitsFamilySlot() {
    constexpr std::size_t align = alignof(std::max_align_t);
    return sizeof(T) <= T::kSlotSize && T::kSlotSize % align == 0 && alignof(T) <= align;
}
