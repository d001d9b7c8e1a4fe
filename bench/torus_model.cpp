// The torus generator: the same bytes for the same size on every machine.
#include "bench/torus_model.h"

#include <cmath>

namespace meshwright {
namespace {

// The benchmark torus's tube has this many segments.
constexpr long kTubeSegments = 50;

constexpr double kPi = 3.14159265358979323846;
constexpr double kMajorRadius = 40.0;
constexpr double kMinorRadius = 12.0;

struct Point {
    double x, y, z;
};

Point torusPoint(long ring, long segment, const TorusShape& shape, double radius) {
    const double u = 2.0 * kPi * double(ring % shape.rings) / double(shape.rings);
    const double v = 2.0 * kPi * double(segment % shape.segments) / double(shape.segments);
    const double r = kMajorRadius + radius * std::cos(v);
    return {r * std::cos(u), r * std::sin(u), radius * std::sin(v)};
}

Point normalOf(long ring, long segment, const TorusShape& shape) {
    const double u = 2.0 * kPi * double(ring % shape.rings) / double(shape.rings);
    const double v = 2.0 * kPi * double(segment % shape.segments) / double(shape.segments);
    return {std::cos(v) * std::cos(u), std::cos(v) * std::sin(u), std::sin(v)};
}

long vertexIndex(long ring, long segment, const TorusShape& shape) {
    return (ring % shape.rings) * shape.segments + segment % shape.segments;
}

// The two triangles of quad (ring, segment), as vertex (ring, segment) offsets.
const long kCorners[2][3][2] = {{{0, 0}, {1, 0}, {1, 1}}, {{1, 1}, {0, 1}, {0, 0}}};

const char* smoothingOf(long quad, TorusSmoothing smoothing) {
    if (smoothing == TorusSmoothing::kAllSmooth) {
        return "1";
    }
    return quad % 10 == 0 ? "" : quad % 10 == 1 ? "1,2" : "1";
}

void writeVertices(std::FILE* out, const TorusShape& shape) {
    const long rings = shape.rings;
    const long segments = shape.segments;
    std::fprintf(out, "\t\t*MESH_VERTEX_LIST {\n");
    for (long ring = 0; ring < rings; ++ring) {
        for (long segment = 0; segment < segments; ++segment) {
            Point p = torusPoint(ring, segment, shape, kMinorRadius);
            std::fprintf(out, "\t\t\t*MESH_VERTEX %5ld\t%.4f\t%.4f\t%.4f\n",
                         vertexIndex(ring, segment, shape), p.x, p.y, p.z);
        }
    }
    std::fprintf(out, "\t\t}\n");
}

void writeFaces(std::FILE* out, const TorusShape& shape) {
    const long rings = shape.rings;
    const long segments = shape.segments;
    std::fprintf(out, "\t\t*MESH_FACE_LIST {\n");
    long face = 0;
    for (long quad = 0; quad < rings * segments; ++quad) {
        const long ring = quad / segments, segment = quad % segments;
        for (const auto& triangle : kCorners) {
            long v[3];
            for (int k = 0; k < 3; ++k) {
                v[k] = vertexIndex(ring + triangle[k][0], segment + triangle[k][1], shape);
            }
            std::fprintf(out,
                         "\t\t\t*MESH_FACE %5ld:    A: %5ld B: %5ld C: %5ld AB:    1 BC:    1 "
                         "CA:    0\t *MESH_SMOOTHING %s \t*MESH_MTLID 0\n",
                         face++, v[0], v[1], v[2], smoothingOf(quad, shape.smoothing));
        }
    }
    std::fprintf(out, "\t\t}\n");
}

// Texture vertices form a (rings + 1) x (segments + 1) grid, so the seam gets its own copies.
void writeTexture(std::FILE* out, const TorusShape& shape) {
    const long rings = shape.rings;
    const long segments = shape.segments;
    const long columns = segments + 1;
    std::fprintf(out, "\t\t*MESH_NUMTVERTEX %ld\n\t\t*MESH_TVERTLIST {\n", (rings + 1) * columns);
    for (long ring = 0; ring <= rings; ++ring) {
        for (long segment = 0; segment <= segments; ++segment) {
            std::fprintf(out, "\t\t\t*MESH_TVERT %ld\t%.4f\t%.4f\t0.0000\n",
                         ring * columns + segment, double(ring) / double(rings) * 8.0,
                         double(segment) / double(segments));
        }
    }
    std::fprintf(out, "\t\t}\n\t\t*MESH_NUMTVFACES %ld\n\t\t*MESH_TFACELIST {\n",
                 2 * rings * segments);
    long face = 0;
    for (long quad = 0; quad < rings * segments; ++quad) {
        const long ring = quad / segments, segment = quad % segments;
        std::fprintf(out, "\t\t\t*MESH_TFACE %ld", face++);
        for (int k = 0; k < 3; ++k) {
            std::fprintf(out, "\t%ld",
                         (ring + kCorners[0][k][0]) * columns + segment + kCorners[0][k][1]);
        }
        std::fprintf(out, "\n\t\t\t*MESH_TFACE %ld", face++);
        for (int k = 0; k < 3; ++k) {
            std::fprintf(out, "\t%ld",
                         (ring + kCorners[1][k][0]) * columns + segment + kCorners[1][k][1]);
        }
        std::fputc('\n', out);
    }
    std::fprintf(out, "\t\t}\n");
}

void writeNormals(std::FILE* out, const TorusShape& shape) {
    const long rings = shape.rings;
    const long segments = shape.segments;
    std::fprintf(out, "\t\t*MESH_NORMALS {\n");
    long face = 0;
    for (long quad = 0; quad < rings * segments; ++quad) {
        const long ring = quad / segments, segment = quad % segments;
        for (const auto& triangle : kCorners) {
            // The face normal: the analytic normal at the quad's middle is close enough here.
            Point n =
                normalOf(2 * ring + 1, 2 * segment + 1, {2 * rings, segments, shape.smoothing});
            std::fprintf(out, "\t\t\t*MESH_FACENORMAL %ld\t%.4f\t%.4f\t%.4f\n", face++, n.x, n.y,
                         n.z);
            for (const auto& corner : triangle) {
                Point c = normalOf(ring + corner[0], segment + corner[1], shape);
                std::fprintf(out, "\t\t\t\t*MESH_VERTEXNORMAL %ld\t%.4f\t%.4f\t%.4f\n",
                             vertexIndex(ring + corner[0], segment + corner[1], shape), c.x, c.y,
                             c.z);
            }
        }
    }
    std::fprintf(out, "\t\t}\n");
}

// The counts and lists of one *MESH block.
void writeMeshLists(std::FILE* out, const TorusShape& shape) {
    std::fprintf(out, "\t\t*MESH_NUMVERTEX %ld\n\t\t*MESH_NUMFACES %ld\n",
                 shape.rings * shape.segments, 2 * shape.rings * shape.segments);
    writeVertices(out, shape);
    writeFaces(out, shape);
    writeTexture(out, shape);
    writeNormals(out, shape);
}

}  // namespace

long writeTorus(std::FILE* out, const TorusShape& shape) {
    std::fprintf(out, "*3DSMAX_ASCIIEXPORT\t200\n*COMMENT \"generated torus\"\n*GEOMOBJECT {\n");
    std::fprintf(out, "\t*NODE_NAME \"Torus\"\n\t*MESH {\n\t\t*TIMEVALUE 0\n");
    writeMeshLists(out, shape);
    std::fprintf(out, "\t}\n}\n");
    return 2 * shape.rings * shape.segments;
}

long writeTorusModel(std::FILE* out, long faceCount) {
    const long rings = faceCount / (2 * kTubeSegments) > 3 ? faceCount / (2 * kTubeSegments) : 3;
    return writeTorus(out, {rings, kTubeSegments, TorusSmoothing::kMixed});
}

long writeTorusScene(std::FILE* out, long faceCount, long objectCount) {
    // Each object a torus of 3 rings, its tube cut into as many segments as its share needs.
    const long perObject = faceCount / objectCount;
    const long segments = perObject / 6 > 3 ? perObject / 6 : 3;
    std::fprintf(out, "*3DSMAX_ASCIIEXPORT\t200\n*COMMENT \"generated scene\"\n");
    std::fprintf(out, "*MATERIAL_LIST {\n\t*MATERIAL_COUNT %ld\n", objectCount);
    for (long i = 0; i < objectCount; ++i) {
        std::fprintf(out, "\t*MATERIAL %ld {\n\t\t*MATERIAL_NAME \"Material #%ld\"\n", i, i);
        std::fprintf(out, "\t\t*MATERIAL_DIFFUSE %.4f\t0.5000\t0.2500\n\t}\n",
                     double(i % 10) / 10.0);
    }
    std::fprintf(out, "}\n");
    for (long i = 0; i < objectCount; ++i) {
        std::fprintf(out, "*GEOMOBJECT {\n\t*NODE_NAME \"Torus %ld\"\n\t*NODE_TM {\n", i);
        std::fprintf(out, "\t\t*NODE_NAME \"Torus %ld\"\n\t}\n\t*MESH {\n", i);
        writeMeshLists(out, {3, segments, TorusSmoothing::kMixed});
        std::fprintf(out, "\t}\n\t*MATERIAL_REF %ld\n}\n", i);
    }
    return objectCount * 6 * segments;
}

}  // namespace meshwright
