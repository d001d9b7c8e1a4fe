// The torus generator: the same bytes for the same size on every machine.
#include "bench/torus_model.h"

#include <cmath>

namespace meshwright {
namespace {

constexpr long kSegments = 50;
constexpr double kPi = 3.14159265358979323846;
constexpr double kMajorRadius = 40.0;
constexpr double kMinorRadius = 12.0;

struct Point {
    double x, y, z;
};

Point torusPoint(long ring, long segment, long rings, double radius) {
    const double u = 2.0 * kPi * double(ring % rings) / double(rings);
    const double v = 2.0 * kPi * double(segment % kSegments) / double(kSegments);
    const double r = kMajorRadius + radius * std::cos(v);
    return {r * std::cos(u), r * std::sin(u), radius * std::sin(v)};
}

Point normalOf(long ring, long segment, long rings) {
    const double u = 2.0 * kPi * double(ring % rings) / double(rings);
    const double v = 2.0 * kPi * double(segment % kSegments) / double(kSegments);
    return {std::cos(v) * std::cos(u), std::cos(v) * std::sin(u), std::sin(v)};
}

long vertexIndex(long ring, long segment, long rings) {
    return (ring % rings) * kSegments + segment % kSegments;
}

// The two triangles of quad (ring, segment), as vertex (ring, segment) offsets.
const long kCorners[2][3][2] = {{{0, 0}, {1, 0}, {1, 1}}, {{1, 1}, {0, 1}, {0, 0}}};

const char* smoothingOf(long quad) {
    return quad % 10 == 0 ? "" : quad % 10 == 1 ? "1,2" : "1";
}

void writeVertices(std::FILE* out, long rings) {
    std::fprintf(out, "\t\t*MESH_VERTEX_LIST {\n");
    for (long ring = 0; ring < rings; ++ring) {
        for (long segment = 0; segment < kSegments; ++segment) {
            Point p = torusPoint(ring, segment, rings, kMinorRadius);
            std::fprintf(out, "\t\t\t*MESH_VERTEX %5ld\t%.4f\t%.4f\t%.4f\n",
                         vertexIndex(ring, segment, rings), p.x, p.y, p.z);
        }
    }
    std::fprintf(out, "\t\t}\n");
}

void writeFaces(std::FILE* out, long rings) {
    std::fprintf(out, "\t\t*MESH_FACE_LIST {\n");
    long face = 0;
    for (long quad = 0; quad < rings * kSegments; ++quad) {
        const long ring = quad / kSegments, segment = quad % kSegments;
        for (const auto& triangle : kCorners) {
            long v[3];
            for (int k = 0; k < 3; ++k) {
                v[k] = vertexIndex(ring + triangle[k][0], segment + triangle[k][1], rings);
            }
            std::fprintf(out,
                         "\t\t\t*MESH_FACE %5ld:    A: %5ld B: %5ld C: %5ld AB:    1 BC:    1 "
                         "CA:    0\t *MESH_SMOOTHING %s \t*MESH_MTLID 0\n",
                         face++, v[0], v[1], v[2], smoothingOf(quad));
        }
    }
    std::fprintf(out, "\t\t}\n");
}

// Texture vertices form a (rings + 1) x (segments + 1) grid, so the seam gets its own copies.
void writeTexture(std::FILE* out, long rings) {
    const long columns = kSegments + 1;
    std::fprintf(out, "\t\t*MESH_NUMTVERTEX %ld\n\t\t*MESH_TVERTLIST {\n", (rings + 1) * columns);
    for (long ring = 0; ring <= rings; ++ring) {
        for (long segment = 0; segment <= kSegments; ++segment) {
            std::fprintf(out, "\t\t\t*MESH_TVERT %ld\t%.4f\t%.4f\t0.0000\n",
                         ring * columns + segment, double(ring) / double(rings) * 8.0,
                         double(segment) / double(kSegments));
        }
    }
    std::fprintf(out, "\t\t}\n\t\t*MESH_NUMTVFACES %ld\n\t\t*MESH_TFACELIST {\n",
                 2 * rings * kSegments);
    long face = 0;
    for (long quad = 0; quad < rings * kSegments; ++quad) {
        const long ring = quad / kSegments, segment = quad % kSegments;
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

void writeNormals(std::FILE* out, long rings) {
    std::fprintf(out, "\t\t*MESH_NORMALS {\n");
    long face = 0;
    for (long quad = 0; quad < rings * kSegments; ++quad) {
        const long ring = quad / kSegments, segment = quad % kSegments;
        for (const auto& triangle : kCorners) {
            // The face normal: the analytic normal at the quad's middle is close enough here.
            Point n = normalOf(2 * ring + 1, 2 * segment + 1, 2 * rings);
            std::fprintf(out, "\t\t\t*MESH_FACENORMAL %ld\t%.4f\t%.4f\t%.4f\n", face++, n.x, n.y,
                         n.z);
            for (const auto& corner : triangle) {
                Point c = normalOf(ring + corner[0], segment + corner[1], rings);
                std::fprintf(out, "\t\t\t\t*MESH_VERTEXNORMAL %ld\t%.4f\t%.4f\t%.4f\n",
                             vertexIndex(ring + corner[0], segment + corner[1], rings), c.x, c.y,
                             c.z);
            }
        }
    }
    std::fprintf(out, "\t\t}\n");
}

}  // namespace

long writeTorusModel(std::FILE* out, long faceCount) {
    const long rings = faceCount / (2 * kSegments) > 3 ? faceCount / (2 * kSegments) : 3;
    std::fprintf(out, "*3DSMAX_ASCIIEXPORT\t200\n*COMMENT \"generated torus\"\n*GEOMOBJECT {\n");
    std::fprintf(out, "\t*NODE_NAME \"Torus\"\n\t*MESH {\n\t\t*TIMEVALUE 0\n");
    std::fprintf(out, "\t\t*MESH_NUMVERTEX %ld\n\t\t*MESH_NUMFACES %ld\n", rings * kSegments,
                 2 * rings * kSegments);
    writeVertices(out, rings);
    writeFaces(out, rings);
    writeTexture(out, rings);
    writeNormals(out, rings);
    std::fprintf(out, "\t}\n}\n");
    return 2 * rings * kSegments;
}

}  // namespace meshwright
