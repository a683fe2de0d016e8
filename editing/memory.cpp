#include "editing/memory.h"

#include <cstdlib>

void* allocateBlock(size_t bytes) { return std::malloc(bytes); }

void releaseBlock(void* block) { std::free(block); }
