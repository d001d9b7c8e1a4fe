// Corner welding with an open-addressing hash table keyed on the corner's bits.
#include "codegen/corner_welding.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <chrono>
#include <cstring>

#include "ase/mesh_checks.h"
#include "codegen/array_text.h"

namespace meshwright {
namespace {

static_assert(sizeof(CornerValues) == 32, "corner values are compared and hashed as raw bytes");

// A full avalanche of 64 bits: every input bit reaches every output bit.
uint64_t mix(uint64_t bits) {
    bits ^= bits >> 33;
    bits *= 0xFF51AFD7ED558CCDULL;
    bits ^= bits >> 33;
    bits *= 0xC4CEB9FE1A85EC53ULL;
    bits ^= bits >> 33;
    return bits;
}

// Every byte of the corner reaches every bit of the slot, through a seed that changes with each
// run: a file can't be made whose corners all land on the same slots, which would turn the
// table's linear time into quadratic. Vertex numbers come from first use, never from the hash,
// so the output does not depend on the seed.
uint64_t hashOf(const CornerValues& corner, uint64_t seed) {
    uint64_t words[4];
    std::memcpy(words, &corner, sizeof words);
    uint64_t hash = seed;
    for (uint64_t word : words) {
        hash = mix(hash ^ word);
    }
    return hash;
}

uint64_t seedOfThisRun() {
    int onTheStack = 0;
    const auto time = std::chrono::steady_clock::now().time_since_epoch().count();
    return mix(static_cast<uint64_t>(time) ^ reinterpret_cast<uintptr_t>(&onTheStack));
}

// The values corner `cornerNumber` (3 * face + 0, 1 or 2) draws; attributes `welded` lacks stay
// zero. Inlined where the table reads them, so they are hashed and compared in registers: a
// call returns them through memory, and loading them back whole from the pieces just stored
// stalls the welding loop.
[[gnu::always_inline]] inline CornerValues valuesOfCorner(const MeshData& mesh,
                                                          const WeldedMesh& welded,
                                                          size_t cornerNumber) {
    const size_t face = cornerNumber / 3;
    const int corner = int(cornerNumber % 3);
    const FaceRecord& record = (*mesh.faces)[face];
    CornerValues values;
    if (welded.hasPositions) {
        values.position = (*mesh.vertices)[cornerIndex(record, corner)];
    }
    if (welded.hasNormals) {
        values.normal = record.smoothing == -1 ? (*mesh.faceNormals)[face]
                                               : (*mesh.cornerNormals)[cornerNumber];
    }
    if (welded.hasTexCoords) {
        const Vec3f& t = (*mesh.tVertices)[cornerIndex((*mesh.tFaces)[face], corner)];
        values.u = t.x;
        values.v = t.y;
    }
    return values;
}

// Equal bit for bit, field by field: values just read from the mesh are compared where they
// stand, without first being stored whole and loaded again.
bool sameBits(const CornerValues& a, const CornerValues& b) {
    auto bits = [](float value) { return std::bit_cast<uint32_t>(value); };
    return bits(a.position.x) == bits(b.position.x) && bits(a.position.y) == bits(b.position.y) &&
           bits(a.position.z) == bits(b.position.z) && bits(a.normal.x) == bits(b.normal.x) &&
           bits(a.normal.y) == bits(b.normal.y) && bits(a.normal.z) == bits(b.normal.z) &&
           bits(a.u) == bits(b.u) && bits(a.v) == bits(b.v);
}

// Vertex numbers by corner value; slots hold number + 1, 0 is empty. A slot's vertex is compared
// by the values of its first corner, read from the mesh again: keeping a copy of them would cost
// 32 bytes a vertex, and a seamed mesh has more vertices than any guess reserves ahead, so the
// copies would grow while the old ones are still held. Bitwise comparison keeps 0 and -0 apart:
// welding must never change a value that is drawn.
class VertexTable {
  public:
    // No mesh has more distinct corners than corners, so a table of a power of two of at least
    // 5/4 of `corners` slots never fills past 80% and never has to grow and rehash.
    // `expectedVertices` only sizes the vertex list ahead.
    VertexTable(const MeshData& mesh, WeldedMesh& welded, size_t corners, size_t expectedVertices,
                uint64_t seed)
        : mesh_(mesh),
          welded_(welded),
          slots_(std::bit_ceil(std::max<size_t>(16, corners + corners / 4))),
          seed_(seed) {
        welded_.firstCorners.reserve(std::min(expectedVertices, corners));
    }

    // A hint that `hash` will be looked up soon: the slot is almost never in the cache, and
    // fetching it while earlier corners are handled hides most of that wait.
    void prefetch(uint64_t hash) const { __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]); }

    uint64_t hashOf(const CornerValues& corner) const { return meshwright::hashOf(corner, seed_); }
    uint64_t probes() const { return probes_; }

    // The number of the vertex that draws `corner`, the values of corner `cornerNumber`; a new
    // one, first drawn by that corner, when no earlier corner drew the same.
    // Probing steps 1, 2, 3, ... visit every slot of a power-of-two table, and keys that start
    // near each other part ways instead of lengthening one run of full slots.
    uint32_t numberOf(const CornerValues& corner, uint32_t cornerNumber, uint64_t hash) {
        std::vector<uint32_t>& firstCorners = welded_.firstCorners;
        assert(firstCorners.size() < slots_.size() && "the table is sized for every corner");
        const size_t mask = slots_.size() - 1;
        for (size_t slot = hash & mask, step = 1;; slot = (slot + step++) & mask) {
            ++probes_;
            if (slots_[slot] == 0) {
                firstCorners.push_back(cornerNumber);
                slots_[slot] = static_cast<uint32_t>(firstCorners.size());
                return slots_[slot] - 1;
            }
            if (sameBits(valuesOfCorner(mesh_, welded_, firstCorners[slots_[slot] - 1]), corner)) {
                return slots_[slot] - 1;
            }
        }
    }

  private:
    const MeshData& mesh_;
    WeldedMesh& welded_;
    std::vector<uint32_t> slots_;
    uint64_t seed_;
    uint64_t probes_ = 0;
};

}  // namespace

WeldedMesh weldCorners(const MeshData& mesh) {
    assert(meetsMeshRules(mesh) && "the writers follow only indices the checks have passed");
    WeldedMesh welded;
    if (!mesh.faces) {
        return welded;
    }
    welded.hasPositions = mesh.vertices.has_value();
    welded.hasNormals = mesh.faceNormals.has_value();
    welded.hasTexCoords = mesh.tVertices && mesh.tFaces;
    welded.indices.reserve(3 * size_t(mesh.faceCount));
    const size_t corners = 3 * size_t(std::max(mesh.faceCount, 0));
    assert(corners <= UINT32_MAX && "every corner has a number");
    // Most meshes have about as many distinct corners as vertices; seams and hard edges add some.
    VertexTable table(mesh, welded, corners, size_t(std::max(mesh.vertexCount, 0)) * 5 / 4,
                      seedOfThisRun());
    // Corners are read kLookahead ahead of their lookup, so their slots can be fetched early.
    constexpr size_t kLookahead = 32;
    CornerValues ahead[kLookahead];
    uint64_t aheadHash[kLookahead];
    auto readAhead = [&](size_t cornerNumber) {
        ahead[cornerNumber % kLookahead] = valuesOfCorner(mesh, welded, cornerNumber);
        aheadHash[cornerNumber % kLookahead] = table.hashOf(ahead[cornerNumber % kLookahead]);
        table.prefetch(aheadHash[cornerNumber % kLookahead]);
    };
    for (size_t cornerNumber = 0; cornerNumber < std::min(corners, kLookahead); ++cornerNumber) {
        readAhead(cornerNumber);
    }
    for (size_t cornerNumber = 0; cornerNumber < corners; ++cornerNumber) {
        const CornerValues corner = ahead[cornerNumber % kLookahead];
        const uint64_t hash = aheadHash[cornerNumber % kLookahead];
        if (cornerNumber + kLookahead < corners) {
            readAhead(cornerNumber + kLookahead);
        }
        welded.indices.push_back(table.numberOf(corner, uint32_t(cornerNumber), hash));
    }
    welded.slotsProbed = table.probes();
    return welded;
}

CornerValues valuesOfVertex(const MeshData& mesh, const WeldedMesh& welded, uint32_t vertex) {
    assert(vertex < welded.vertexCount() && "only the welded vertices have values");
    return valuesOfCorner(mesh, welded, welded.firstCorners[vertex]);
}

}  // namespace meshwright
