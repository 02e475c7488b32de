#include "world/ObjectPool.h"

#include <cassert>
#include <new>

#include "world/GameObject.h"

PoolNode::PoolNode(ObjectPool& pool)
    : pool(&pool), prev(pool.Sentinel()->prev), next(pool.Sentinel()) {
    prev->next = this;
    next->prev = this;
}

PoolNode::PoolNode(ObjectPool& pool, SentinelTag) : pool(&pool), prev(this), next(this) {}

PoolNode::~PoolNode() {
    prev->next = next;
    next->prev = prev;
}

ObjectPool::ObjectPool(std::size_t slotSize, int capacity, int reserved)
    : block(new std::byte[(static_cast<std::size_t>(capacity) + 2) * slotSize]),
      slotSize(slotSize),
      capacity(capacity),
      freeCount(capacity),
      reserved(reserved) {
    assert(slotSize >= sizeof(PoolNode) && slotSize % alignof(std::max_align_t) == 0);
    sentinel = new (Slot(0)) PoolNode(*this, PoolNode::SentinelTag{});
    freeHead = new (Slot(1)) FreeSlot{nullptr};
    // Slot i links to slot i + 1; the last one closes the ring at the head.
    FreeSlot* last = freeHead;
    for (int i = 2; i <= capacity + 1; ++i) {
        last->next = new (Slot(i)) FreeSlot{nullptr};
        last = last->next;
    }
    last->next = freeHead;
}

ObjectPool::~ObjectPool() {
    Clear();
    sentinel->~PoolNode();
}

void* ObjectPool::Allocate() {
    return freeCount > reserved ? TakeFreeSlot() : nullptr;
}

void* ObjectPool::AllocateReserved() {
    return freeCount > 0 ? TakeFreeSlot() : nullptr;
}

void* ObjectPool::TakeFreeSlot() {
    FreeSlot* slot = freeHead->next;
    freeHead->next = slot->next;
    --freeCount;
    return slot;
}

void ObjectPool::Release(void* slot) {
    freeHead->next = new (slot) FreeSlot{freeHead->next};
    ++freeCount;
}

void ObjectPool::UpdateAll(World& world) {
    for (PoolCursor cursor(*this); cursor.HasNext();) {
        if (!cursor.Next()->Update(world)) cursor.EraseCurrent();
    }
}

void ObjectPool::DrawAll(const World& world) const {
    for (GameObject* o : Each<GameObject>(*this))
        o->Draw(world);
}

void ObjectPool::Clear() {
    // Plain nodes: a pool also holds what is no field object (the scenes).
    for (PoolCursor<PoolNode> cursor(*this); cursor.HasNext();) {
        cursor.Next();
        cursor.EraseCurrent();
    }
}

void DestroyObject(PoolNode* node) {
    ObjectPool* pool = node->pool;
    void* slot = dynamic_cast<void*>(node);  // where the whole object starts
    node->~PoolNode();
    pool->Release(slot);
}
