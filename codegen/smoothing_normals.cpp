// Smoothing-group normals: angle-weighted sums of face normals around each vertex.
#include "codegen/smoothing_normals.h"

#include <cassert>
#include <cmath>
#include <string>
#include <vector>

#include "ase/mesh_checks.h"
#include "ase/section_readers.h"

namespace meshwright {
namespace {

struct Vec3d {
    double x = 0.0, y = 0.0, z = 0.0;
};

Vec3d widen(const Vec3f& v) {
    return {v.x, v.y, v.z};
}
Vec3d operator-(const Vec3d& a, const Vec3d& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3d& operator+=(Vec3d& a, const Vec3d& b) {
    a.x += b.x;
    a.y += b.y;
    a.z += b.z;
    return a;
}
Vec3d scaled(const Vec3d& a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
double dot(const Vec3d& a, const Vec3d& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3d cross(const Vec3d& a, const Vec3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// A zero or non-finite length gives (0, 0, 0): a degenerate face must not spread a NaN.
Vec3f unitOf(const Vec3d& v) {
    const double length = std::sqrt(dot(v, v));
    if (!(length > 0.0) || !std::isfinite(length)) {
        return {};
    }
    return {float(v.x / length), float(v.y / length), float(v.z / length)};
}

// Each face's unit normal and the angle of each of its corners.
struct FaceGeometry {
    std::vector<Vec3f> normals;
    std::vector<double> cornerAngles;  // 3 per face
};

FaceGeometry faceGeometryOf(const MeshData& mesh) {
    const std::vector<FaceRecord>& faces = *mesh.faces;
    const std::vector<Vec3f>& points = *mesh.vertices;
    FaceGeometry geometry;
    geometry.normals.resize(faces.size());
    geometry.cornerAngles.resize(3 * faces.size());
    for (size_t f = 0; f < faces.size(); ++f) {
        const Vec3d corners[3] = {widen(points[size_t(faces[f].a)]),
                                  widen(points[size_t(faces[f].b)]),
                                  widen(points[size_t(faces[f].c)])};
        geometry.normals[f] = unitOf(cross(corners[1] - corners[0], corners[2] - corners[0]));
        for (int k = 0; k < 3; ++k) {
            const Vec3d toNext = corners[(k + 1) % 3] - corners[k];
            const Vec3d toPrevious = corners[(k + 2) % 3] - corners[k];
            const Vec3d normal = cross(toNext, toPrevious);
            const double angle =
                std::atan2(std::sqrt(dot(normal, normal)), dot(toNext, toPrevious));
            geometry.cornerAngles[3 * f + k] = std::isfinite(angle) ? angle : 0.0;
        }
    }
    return geometry;
}

// The corners around each vertex (face * 3 + corner), grouped by vertex.
struct CornersByVertex {
    std::vector<size_t> start;  // vertexCount + 1 entries
    std::vector<uint64_t> corners;
};

CornersByVertex cornersByVertex(const MeshData& mesh) {
    const std::vector<FaceRecord>& faces = *mesh.faces;
    CornersByVertex byVertex;
    byVertex.start.assign(mesh.vertices->size() + 1, 0);
    for (const FaceRecord& face : faces) {
        ++byVertex.start[size_t(face.a) + 1];
        ++byVertex.start[size_t(face.b) + 1];
        ++byVertex.start[size_t(face.c) + 1];
    }
    for (size_t v = 1; v < byVertex.start.size(); ++v) {
        byVertex.start[v] += byVertex.start[v - 1];
    }
    byVertex.corners.resize(3 * faces.size());
    std::vector<size_t> next(byVertex.start.begin(), byVertex.start.end() - 1);
    for (size_t f = 0; f < faces.size(); ++f) {
        byVertex.corners[next[size_t(faces[f].a)]++] = 3 * f;
        byVertex.corners[next[size_t(faces[f].b)]++] = 3 * f + 1;
        byVertex.corners[next[size_t(faces[f].c)]++] = 3 * f + 2;
    }
    return byVertex;
}

// The weighted normals around one vertex, summed per set of smoothing groups: faces of the same
// set get the same corner normal there, so the sets, not the faces, are paired.
class SetsAtVertex {
  public:
    void clear() { sets_.clear(); }

    void add(uint32_t groups, const Vec3d& weighted, size_t vertex) {
        for (Set& set : sets_) {
            if (set.groups == groups) {
                set.sum += weighted;
                return;
            }
        }
        if (sets_.size() == size_t(kMostSmoothingSetsAtVertex)) {
            throw MeshError("vertex " + std::to_string(vertex) + " joins faces of more than " +
                            std::to_string(kMostSmoothingSetsAtVertex) +
                            " different sets of smoothing groups, too many to make normals from");
        }
        sets_.push_back({groups, weighted, {}});
    }

    // Every set's normal: the sum over all sets sharing a group bit with it.
    void resolve() {
        for (Set& set : sets_) {
            Vec3d sum;
            for (const Set& other : sets_) {
                if ((set.groups & other.groups) != 0) {
                    sum += other.sum;
                }
            }
            set.normal = unitOf(sum);
        }
    }

    const Vec3f& normalOf(uint32_t groups) const {
        for (const Set& set : sets_) {
            if (set.groups == groups) {
                return set.normal;
            }
        }
        return sets_.front().normal;  // not reached: every set was added first
    }

  private:
    struct Set {
        uint32_t groups;
        Vec3d sum;
        Vec3f normal;
    };
    std::vector<Set> sets_;
};

}  // namespace

void makeSmoothingNormals(MeshData& mesh) {
    assert(meetsMeshRules(mesh) && "the writers follow only indices the checks have passed");
    const std::vector<FaceRecord>& faces = *mesh.faces;
    const FaceGeometry geometry = faceGeometryOf(mesh);
    const CornersByVertex byVertex = cornersByVertex(mesh);
    std::vector<Vec3f> faceNormals(faces.size());
    std::vector<Vec3f> cornerNormals(3 * faces.size());
    for (size_t f = 0; f < faces.size(); ++f) {
        faceNormals[f] = geometry.normals[f];
        for (int k = 0; k < 3; ++k) {
            cornerNormals[3 * f + k] = faceNormals[f];  // kept by flat faces
        }
    }
    SetsAtVertex sets;
    for (size_t v = 0; v + 1 < byVertex.start.size(); ++v) {
        sets.clear();
        bool anySmooth = false;
        for (size_t i = byVertex.start[v]; i < byVertex.start[v + 1]; ++i) {
            const uint64_t corner = byVertex.corners[i];
            const uint32_t groups = faces[corner / 3].smoothingGroups;
            if (groups != 0) {
                sets.add(groups,
                         scaled(widen(geometry.normals[corner / 3]), geometry.cornerAngles[corner]),
                         v);
                anySmooth = true;
            }
        }
        if (!anySmooth) {
            continue;
        }
        sets.resolve();
        for (size_t i = byVertex.start[v]; i < byVertex.start[v + 1]; ++i) {
            const uint64_t corner = byVertex.corners[i];
            const uint32_t groups = faces[corner / 3].smoothingGroups;
            if (groups != 0) {
                cornerNormals[corner] = sets.normalOf(groups);
            }
        }
    }
    mesh.faceNormals = std::move(faceNormals);
    mesh.cornerNormals = std::move(cornerNormals);
}

}  // namespace meshwright
