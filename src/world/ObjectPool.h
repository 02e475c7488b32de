#pragma once
#include <cstddef>
#include <memory>

class ObjectPool;
class World;

// A link of a pool's circular list. Every pooled object derives from it; a
// constructed link joins the tail of its pool's list, a destroyed one leaves it.
class PoolNode {
public:
    virtual ~PoolNode();
    PoolNode(const PoolNode&) = delete;
    PoolNode& operator=(const PoolNode&) = delete;

    ObjectPool* pool;
    PoolNode* prev;
    PoolNode* next;

protected:
    explicit PoolNode(ObjectPool& pool);

private:
    friend class ObjectPool;
    struct SentinelTag {};
    PoolNode(ObjectPool& pool, SentinelTag);
};

// Fixed storage for one family of objects, allocated once, that is also the
// ordered list of the family's live objects. Slot 0 holds the list's sentinel,
// slot 1 the head of the free list, the rest hold objects.
class ObjectPool {
public:
    // reserved: slots that only AllocateReserved may take.
    ObjectPool(std::size_t slotSize, int capacity, int reserved = 0);
    ~ObjectPool();
    ObjectPool(const ObjectPool&) = delete;
    ObjectPool& operator=(const ObjectPool&) = delete;

    // A free slot, or null when only reserved ones are left.
    void* Allocate();
    // A free slot, the reserved ones included, or null.
    void* AllocateReserved();
    void Release(void* slot);

    // One pass each over the list; objects appended during a pass are reached
    // in the same pass, and an object whose Update returns false goes at once.
    void UpdateAll(World& world);
    void DrawAll(const World& world) const;
    void Clear();

    int Capacity() const { return capacity; }
    int Count() const { return capacity - freeCount; }
    PoolNode* Sentinel() const { return sentinel; }

private:
    struct FreeSlot {
        FreeSlot* next;
    };
    std::byte* Slot(int i) const { return block.get() + static_cast<std::size_t>(i) * slotSize; }
    void* TakeFreeSlot();

    std::unique_ptr<std::byte[]> block;
    PoolNode* sentinel;
    FreeSlot* freeHead;
    std::size_t slotSize;
    int capacity;
    int freeCount;
    int reserved;
};

// Ends an object's life and gives its slot back to its pool.
void DestroyObject(PoolNode* node);
