#include "win32/FailingAllocations.h"

#include <cstdlib>
#include <new>

// The test program's own allocation functions, which fail on demand.

namespace {
thread_local int failuresToCome = 0;
}

FailingAllocations::FailingAllocations(int count) {
    failuresToCome = count;
}

FailingAllocations::~FailingAllocations() {
    failuresToCome = 0;
}

int FailingAllocations::Left() {
    return failuresToCome;
}

void* operator new(std::size_t size) {
    if (failuresToCome > 0) {
        --failuresToCome;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size ? size : 1)) {
        return block;
    }
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
