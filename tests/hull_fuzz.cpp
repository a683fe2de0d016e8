// libFuzzer: the hull of any vertex list: small integers (collinear, coincident) or raw doubles
// (huge, NaN). ASan fills a new block's first 4 KiB: with short inputs, unwritten slots show.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "geometry/hull.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t step = size > 0 && data[0] % 2 ? 2 * sizeof(double) : 2;
    std::vector<Vertex> vertices;
    for (size_t at = 1; at + step <= size; at += step) {
        vertices.push_back({0, 0, double(int8_t(data[at]) % 8), double(int8_t(data[at + 1]) % 8)});
        if (step > 2) std::memcpy(&vertices.back().pixelX, data + at, step);
    }
    if (vertices.size() < 3) return 0;
    editor.vertices = vertices.data();
    editor.vertexCount = int32_t(vertices.size());
    computeHull();
    auto range = std::minmax_element(editor.hull, editor.hull + editor.hullCount);
    if (editor.hullCount < 2 || *range.first < 0 || *range.second >= editor.vertexCount)
        std::abort();
    return 0;  // the next call frees this hull, as a new hull replaces the old in the program
}
