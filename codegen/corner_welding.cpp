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
    // `expectedVertices` only sizes the vertex list ahead. With `filtered`, the table also marks
    // a bit for the hash of each vertex it holds (see mayHold).
    VertexTable(const MeshData& mesh, WeldedMesh& welded, size_t corners, size_t expectedVertices,
                uint64_t seed, bool filtered = false)
        : mesh_(mesh),
          welded_(welded),
          slots_(std::bit_ceil(std::max<size_t>(16, corners + corners / 4))),
          seed_(seed) {
        welded_.firstCorners.reserve(std::min(expectedVertices, corners));
        if (filtered) {
            // Two bits a slot: at most 40% of them marked, a sixteenth of the table's bytes.
            filter_.resize(slots_.size() * 2 / 64);
            filterShift_ = 64 - std::countr_zero(slots_.size() * 2);
        }
    }

    // False when no vertex the table holds has `hash`: a lookup would only find an empty slot,
    // after looking at the values of the vertices in the way, each a few reads far apart.
    // Answers true when the table keeps no filter.
    bool mayHold(uint64_t hash) const {
        if (filter_.empty()) {
            return true;
        }
        const uint64_t bit = hash >> filterShift_;
        return (filter_[bit / 64] >> (bit % 64) & 1) != 0;
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
    uint32_t numberOf(const CornerValues& corner, uint32_t cornerNumber, uint64_t hash) {
        std::vector<uint32_t>& firstCorners = welded_.firstCorners;
        assert(firstCorners.size() < slots_.size() && "the table is sized for every corner");
        const size_t slot = slotOf(corner, hash);
        if (slots_[slot] == 0) {
            firstCorners.push_back(cornerNumber);
            slots_[slot] = static_cast<uint32_t>(firstCorners.size());
            if (!filter_.empty()) {
                const uint64_t bit = hash >> filterShift_;
                filter_[bit / 64] |= uint64_t{1} << (bit % 64);
            }
        }
        return slots_[slot] - 1;
    }

    // The number of the vertex that draws `corner` plus one, or 0 when none does.
    uint32_t find(const CornerValues& corner, uint64_t hash) {
        return slots_[slotOf(corner, hash)];
    }

  private:
    // The slot of the vertex that draws `corner`, or the empty slot where it belongs.
    // Probing steps 1, 2, 3, ... visit every slot of a power-of-two table, and keys that start
    // near each other part ways instead of lengthening one run of full slots.
    size_t slotOf(const CornerValues& corner, uint64_t hash) {
        const size_t mask = slots_.size() - 1;
        for (size_t slot = hash & mask, step = 1;; slot = (slot + step++) & mask) {
            ++probes_;
            if (slots_[slot] == 0 ||
                sameBits(valuesOfCorner(mesh_, welded_, welded_.firstCorners[slots_[slot] - 1]),
                         corner)) {
                return slot;
            }
        }
    }

    const MeshData& mesh_;
    WeldedMesh& welded_;
    std::vector<uint32_t> slots_;
    std::vector<uint64_t> filter_;  // a bit for the high bits of each held vertex's hash
    int filterShift_ = 64;
    uint64_t seed_;
    uint64_t probes_ = 0;
};

// Hands `count` corners to lookUp in turn, the i-th being corner cornerAt(i): lookUp(i, its
// values, its number, its hash in `table`). Corners are read kLookahead ahead of their lookup,
// so their slots in `table` can be fetched early. cornerAt(i) is called once for each i, before
// lookUp(i, ...).
template <typename CornerAt, typename LookUp>
void lookUpCorners(VertexTable& table, size_t count, CornerAt cornerAt, LookUp lookUp) {
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
        lookUp(i, corner, cornerNumber, hash);
    }
}

// Appends to `indices` the vertex number of each corner from `begin` to `end`, in order.
void weldCornerRange(VertexTable& table, size_t begin, size_t end, std::vector<uint32_t>& indices) {
    lookUpCorners(
        table, end - begin, [begin](size_t i) { return uint32_t(begin + i); },
        [&](size_t, const CornerValues& corner, uint32_t cornerNumber, uint64_t hash) {
            indices.push_back(table.numberOf(corner, cornerNumber, hash));
        });
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
                // Welded here and handed over whole at the end: what changes at every corner (a
                // list's end, the count of probes) must not share a cache line with what the
                // other thread changes at every corner, or the two would pass it back and forth.
                WeldedMesh own = emptyLike(part.welded);
                own.indices.reserve(end - begin);
                VertexTable table(mesh, own, end - begin, expectedVertices, seed);
                weldCornerRange(table, begin, end, own.indices);
                own.slotsProbed = table.probes();
                part.welded = std::move(own);
            } catch (...) {
                part.failure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        return {};
    }
}

// Appends `latter`, welded on its own from the corners after those of `table`, to `welded`. Each
// of its vertices, in its order of first use, takes the number of the equal vertex in `table`,
// or else the next new one: a vertex first drawn in the latter part is first drawn there over
// all corners too, and after every vertex of the former part, so the numbers are exactly those
// of first use over all corners. The new ones need not join the table: the latter part's
// vertices all differ. Then its corners take their vertices' numbers. Throws what stopped the
// latter part's welding, if anything did.
void appendLatterPart(VertexTable& table, LatterPart& latter, WeldedMesh& welded) {
    if (latter.failure) {
        std::rethrow_exception(latter.failure);
    }
    // Each entry, a first corner, is overwritten by its vertex's number once it has been looked up.
    std::vector<uint32_t>& numbers = latter.welded.firstCorners;
    lookUpCorners(
        table, numbers.size(), [&numbers](size_t vertex) { return numbers[vertex]; },
        [&](size_t vertex, const CornerValues& corner, uint32_t firstCorner, uint64_t hash) {
            const uint32_t found = table.mayHold(hash) ? table.find(corner, hash) : 0;
            if (found != 0) {
                numbers[vertex] = found - 1;
            } else {
                numbers[vertex] = uint32_t(welded.firstCorners.size());
                welded.firstCorners.push_back(firstCorner);
            }
        });
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
    LatterPart latter{.begin = corners, .welded = emptyLike(welded), .failure = {}};
    std::jthread helper;  // declared after what it uses, so it is joined before they go
    if (threads >= 2 && corners >= kCornersWorthTwoThreads) {
        latter.begin = 3 * (corners / 6);  // a face boundary
        helper = startWeldingOnItsOwn(mesh, latter, corners, expectedVertices / 2, seed);
        if (!helper.joinable()) {
            latter.begin = corners;  // no second thread to be had: this one welds every corner
        }
    }
    // Sized for the former part only: the latter part's vertices are looked up, never added.
    VertexTable table(mesh, welded, latter.begin, expectedVertices, seed, helper.joinable());
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
