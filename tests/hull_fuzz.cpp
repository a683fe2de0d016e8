// libFuzzer target: the hull of any vertex list at all. The first byte chooses how the rest is
// read: small integers (collinear and coincident vertices in plenty) or raw doubles (huge,
// negative, infinite, NaN). The fake heap poisons new blocks, so a read of a deque slot that
// was never written shows up as an entry out of range or as an AddressSanitizer report.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "geometry/hull.h"
#include "tests/support/fake_memory.h"

static std::vector<Vertex> readVertices(const uint8_t* data, size_t size) {
    std::vector<Vertex> vertices;
    bool raw = size > 0 && (data[0] & 1);
    size_t step = raw ? 2 * sizeof(double) : 2;
    for (size_t at = 1; at + step <= size; at += step) {
        Vertex v = {0, 0, 0, 0};
        if (raw) {
            std::memcpy(&v.pixelX, data + at, sizeof(double));
            std::memcpy(&v.pixelY, data + at + sizeof(double), sizeof(double));
        } else {
            v.pixelX = int8_t(data[at]) % 8;
            v.pixelY = int8_t(data[at + 1]) % 8;
        }
        vertices.push_back(v);
    }
    return vertices;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<Vertex> vertices = readVertices(data, size);
    if (vertices.size() < 3) return 0;
    editor.vertices = vertices.data();
    editor.vertexCount = int32_t(vertices.size());
    editor.hull = nullptr;
    editor.hullCount = 0;
    computeHull();
    if (editor.hullCount < 2 || editor.hullCount > 2 * editor.vertexCount) std::abort();
    for (int32_t i = 0; i < editor.hullCount; ++i) {
        if (editor.hull[i] < 0 || editor.hull[i] >= editor.vertexCount) std::abort();
    }
    releaseBlock(editor.hull);
    editor.hull = nullptr;
    return 0;
}
