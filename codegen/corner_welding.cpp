// Corner welding with an open-addressing hash table keyed on the corner's bits.
#include "codegen/corner_welding.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <chrono>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>

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
    CornerValues valuesOf(uint32_t cornerNumber) const {
        return valuesOfCorner(mesh_, welded_, cornerNumber);
    }
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

// Looks up `count` corners in `table` in turn, the i-th being corner cornerAt(i), and hands its
// vertex number to take(i, number). Corners are read kLookahead ahead of their lookup, so their
// slots can be fetched early. cornerAt(i) is called once for each i, before take(i).
template <typename CornerAt, typename Take>
void lookUpCorners(VertexTable& table, size_t count, CornerAt cornerAt, Take take) {
    constexpr size_t kLookahead = 32;
    CornerValues ahead[kLookahead];
    uint64_t aheadHash[kLookahead];
    uint32_t aheadCorner[kLookahead];
    auto readAhead = [&](size_t i) {
        const size_t k = i % kLookahead;
        aheadCorner[k] = cornerAt(i);
        ahead[k] = table.valuesOf(aheadCorner[k]);
        aheadHash[k] = table.hashOf(ahead[k]);
        table.prefetch(aheadHash[k]);
    };
    for (size_t i = 0; i < std::min(count, kLookahead); ++i) {
        readAhead(i);
    }
    for (size_t i = 0; i < count; ++i) {
        const size_t k = i % kLookahead;
        const CornerValues corner = ahead[k];
        const uint64_t hash = aheadHash[k];
        const uint32_t cornerNumber = aheadCorner[k];
        if (i + kLookahead < count) {
            readAhead(i + kLookahead);
        }
        take(i, table.numberOf(corner, cornerNumber, hash));
    }
}

// Appends to `indices` the vertex number of each corner from `begin` to `end`, in order.
void weldCornerRange(VertexTable& table, size_t begin, size_t end, std::vector<uint32_t>& indices) {
    lookUpCorners(
        table, end - begin, [begin](size_t i) { return uint32_t(begin + i); },
        [&indices](size_t, uint32_t vertex) { indices.push_back(vertex); });
}

// A welded mesh with the attributes of `welded` and nothing welded yet.
WeldedMesh emptyLike(const WeldedMesh& welded) {
    WeldedMesh empty;
    empty.hasPositions = welded.hasPositions;
    empty.hasNormals = welded.hasNormals;
    empty.hasTexCoords = welded.hasTexCoords;
    return empty;
}

// The corners of the latter faces, welded on a thread of their own.
struct LatterPart {
    size_t begin = 0;  // its first corner, the first of a face
    // As if no corner came before `begin`: its vertices are numbered by first use within the part.
    WeldedMesh welded;
    std::exception_ptr failure;  // what stopped the welding, if anything did
};

// Starts welding the corners from `part.begin` to `end` into `part` on a thread of its own, which
// reads `mesh` and writes `part` only, so it runs beside the welding of the corners before them.
// Returns no thread (one not joinable) when none can be started.
std::jthread startWeldingOnItsOwn(const MeshData& mesh, LatterPart& part, size_t end,
                                  size_t expectedVertices, uint64_t seed) {
    try {
        return std::jthread([&mesh, &part, begin = part.begin, end, expectedVertices, seed] {
            try {
                part.welded.indices.reserve(end - begin);
                VertexTable table(mesh, part.welded, end - begin, expectedVertices, seed);
                weldCornerRange(table, begin, end, part.welded.indices);
                part.welded.slotsProbed = table.probes();
            } catch (...) {
                part.failure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        return {};
    }
}

// Appends `latter`, welded on its own from the corners after those of `table`, to `welded`. Each
// of its vertices, in its order of first use, takes the number of the equal vertex already in
// `table`, or else the next new one: a vertex first drawn in the latter part is first drawn
// there over all corners too, and after every vertex of the former part, so the numbers are
// exactly those of first use over all corners. Then its corners take their vertices' numbers.
// Throws what stopped the latter part's welding, if anything did.
void appendLatterPart(VertexTable& table, LatterPart& latter, WeldedMesh& welded) {
    if (latter.failure) {
        std::rethrow_exception(latter.failure);
    }
    // Each entry, a first corner, is overwritten by its vertex's number once it has been looked up.
    std::vector<uint32_t>& numbers = latter.welded.firstCorners;
    lookUpCorners(
        table, numbers.size(), [&numbers](size_t vertex) { return numbers[vertex]; },
        [&numbers](size_t vertex, uint32_t number) { numbers[vertex] = number; });
    for (uint32_t vertex : latter.welded.indices) {
        welded.indices.push_back(numbers[vertex]);
    }
    welded.slotsProbed += latter.welded.slotsProbed;
    welded.threadsUsed = 2;
}

}  // namespace

WeldedMesh weldCorners(const MeshData& mesh, int threads) {
    assert(meetsMeshRules(mesh) && "the writers follow only indices the checks have passed");
    WeldedMesh welded;
    if (!mesh.faces) {
        return welded;
    }
    welded.hasPositions = mesh.vertices.has_value();
    welded.hasNormals = mesh.faceNormals.has_value();
    welded.hasTexCoords = mesh.tVertices && mesh.tFaces;
    const size_t corners = 3 * size_t(std::max(mesh.faceCount, 0));
    assert(corners <= UINT32_MAX && "every corner has a number");
    welded.indices.reserve(corners);
    // Most meshes have about as many distinct corners as vertices; seams and hard edges add some.
    const size_t expectedVertices = size_t(std::max(mesh.vertexCount, 0)) * 5 / 4;
    const uint64_t seed = seedOfThisRun();
    // Sized for every corner: the latter part's vertices join it when the parts are put together.
    VertexTable table(mesh, welded, corners, expectedVertices, seed);

    LatterPart latter{.begin = corners, .welded = emptyLike(welded), .failure = {}};
    std::jthread helper;  // declared after what it uses, so it is joined before they go
    if (threads >= 2 && corners >= kCornersWorthTwoThreads) {
        latter.begin = 3 * (corners / 6);  // a face boundary
        helper = startWeldingOnItsOwn(mesh, latter, corners, expectedVertices / 2, seed);
        if (!helper.joinable()) {
            latter.begin = corners;  // no second thread to be had: this one welds every corner
        }
    }
    weldCornerRange(table, 0, latter.begin, welded.indices);
    if (helper.joinable()) {
        helper.join();
        appendLatterPart(table, latter, welded);
    }
    welded.slotsProbed += table.probes();
    return welded;
}

CornerValues valuesOfVertex(const MeshData& mesh, const WeldedMesh& welded, uint32_t vertex) {
    assert(vertex < welded.vertexCount() && "only the welded vertices have values");
    return valuesOfCorner(mesh, welded, welded.firstCorners[vertex]);
}

}  // namespace meshwright
