// A heap for the tests: counts blocks, fills new ones with a poison pattern so that reading a
// slot that was never written shows up, and fails on demand.
#pragma once

#include "editing/memory.h"

struct HeapLog {
    int allocations;       // blocks handed out
    int releases;          // non-null blocks given back
    int failuresFromNext;  // the allocation this many calls from now fails, and every later one
};

extern HeapLog heapLog;

const int NEVER_FAIL = -1;
const unsigned char POISON_BYTE = 0xA5;

// Zeroes the counts and stops failing.
void resetHeapLog();
