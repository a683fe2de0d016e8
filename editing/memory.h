// Heap blocks for the vertex and hull lists. Either call may be given or return null:
// every caller checks the result and keeps its old data when no block could be had.
#pragma once

#include <cstddef>

// The size attribute lets a fortified build check copies into the block against its size.
[[gnu::alloc_size(1)]] void* allocateBlock(size_t bytes);
void releaseBlock(void* block);
