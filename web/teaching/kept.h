// A copy of one of the editor's arrays (the polyline, the hull), kept to tell whether it changed
// since: one comparison of memory, which the page makes only after input.
#pragma once

#include <cstring>

#include "editing/memory.h"

template <typename T>
struct Kept {
    T* items = nullptr;
    int32_t count = -1;  // -1: nothing kept (none yet, or the heap had no room): all differs

    bool same(const T* now, int32_t n) const {
        return n == count && (!n || !memcmp(items, now, sizeof(T) * size_t(n)));
    }

    // Keeps a copy of the n items at now; false, keeping nothing, when the heap has no room.
    bool keep(const T* now, int32_t n) {
        releaseBlock(items);
        items = static_cast<T*>(allocateBlock(sizeof(T) * size_t(n) + 1));
        count = items ? n : -1;
        if (items && n) memcpy(items, now, sizeof(T) * size_t(n));
        return items;
    }
};
