#include "tests/support/fake_memory.h"

#include <cstdlib>
#include <cstring>

#include "editing/memory.h"

HeapLog heapLog = {0, 0, NEVER_FAIL};

void resetHeapLog() { heapLog = {0, 0, NEVER_FAIL}; }

void* allocateBlock(size_t bytes) {
    if (heapLog.failuresFromNext == 0) return nullptr;
    if (heapLog.failuresFromNext > 0) --heapLog.failuresFromNext;
    void* block = std::malloc(bytes);
    if (block) std::memset(block, POISON_BYTE, bytes);
    ++heapLog.allocations;
    return block;
}

void releaseBlock(void* block) {
    if (block) ++heapLog.releases;
    std::free(block);
}
