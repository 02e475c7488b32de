#include "support/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

// Every plain form of the global new and delete, so that memory never crosses
// between these and the library's (the sanitizers check that it does not).

namespace {
std::atomic<long> allocations{0};

void* Allocate(std::size_t size) noexcept {
    ++allocations;
    return std::malloc(size ? size : 1);
}
}  // namespace

long AllocationCount() {
    return allocations.load();
}

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
