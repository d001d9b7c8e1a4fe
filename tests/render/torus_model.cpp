// The torus is written the way exporters write ASE: counts, then the lists, one record a line.
#include "torus_model.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace meshwright::render {

namespace {

constexpr double kMajorRadius = 3;
constexpr double kTubeRadius = 1;
constexpr double kTurnsOfU = 2;

struct Vec3 {
    double x, y, z;
};

// A corner of the grid: step i around the axis, step j around the tube.
struct GridPoint {
    int i, j;
};

// Appends printf-style text.
template <typename... Values>
void put(std::string& text, const char* format, Values... values) {
    char line[256];
    std::snprintf(line, sizeof line, format, values...);
    text += line;
}

class TorusGrid {
  public:
    TorusGrid(int rings, int sides) : rings_(rings), sides_(sides) {}

    int vertexCount() const { return rings_ * sides_; }
    int faceCount() const { return 2 * rings_ * sides_; }
    int textureVertexCount() const { return (rings_ + 1) * (sides_ + 1); }

    // Positions wrap at the seams; texture vertices don't, so u and v can run on past 1.
    int vertex(GridPoint p) const { return (p.i % rings_) * sides_ + p.j % sides_; }
    int textureVertex(GridPoint p) const { return p.i * (sides_ + 1) + p.j; }

    Vec3 position(GridPoint p) const {
        double across = kMajorRadius + kTubeRadius * std::cos(tubeAngle(p));
        return {across * std::cos(axisAngle(p)), across * std::sin(axisAngle(p)),
                kTubeRadius * std::sin(tubeAngle(p))};
    }
    Vec3 normal(GridPoint p) const {
        double across = std::cos(tubeAngle(p));
        return {across * std::cos(axisAngle(p)), across * std::sin(axisAngle(p)),
                std::sin(tubeAngle(p))};
    }
    std::array<double, 2> textureCoordinate(GridPoint p) const {
        return {kTurnsOfU * p.i / rings_, double(p.j) / sides_};
    }

    // Each grid square makes two triangles, counter-clockwise seen from outside.
    std::array<GridPoint, 3> corners(int face) const {
        int i = face / 2 / sides_, j = face / 2 % sides_;
        if (face % 2 == 0) {
            return {{{i, j}, {i + 1, j}, {i + 1, j + 1}}};
        }
        return {{{i, j}, {i + 1, j + 1}, {i, j + 1}}};
    }
    // The normal of the flat triangle through the three corners.
    Vec3 faceNormal(int face) const {
        auto [a, b, c] = corners(face);
        Vec3 pa = position(a), pb = position(b), pc = position(c);
        Vec3 u{pb.x - pa.x, pb.y - pa.y, pb.z - pa.z}, v{pc.x - pa.x, pc.y - pa.y, pc.z - pa.z};
        Vec3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
        double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        return {n.x / length, n.y / length, n.z / length};
    }

    int rings() const { return rings_; }
    int sides() const { return sides_; }

  private:
    double axisAngle(GridPoint p) const { return 2 * std::numbers::pi * p.i / rings_; }
    double tubeAngle(GridPoint p) const { return 2 * std::numbers::pi * p.j / sides_; }

    int rings_;
    int sides_;
};

void putVertexList(std::string& text, const TorusGrid& grid) {
    text += "\t\t*MESH_VERTEX_LIST {\n";
    for (int i = 0; i < grid.rings(); ++i) {
        for (int j = 0; j < grid.sides(); ++j) {
            Vec3 p = grid.position({i, j});
            put(text, "\t\t\t*MESH_VERTEX %5d\t%.6f\t%.6f\t%.6f\n", grid.vertex({i, j}), p.x, p.y,
                p.z);
        }
    }
    text += "\t\t}\n";
}

void putFaceList(std::string& text, const TorusGrid& grid) {
    text += "\t\t*MESH_FACE_LIST {\n";
    for (int face = 0; face < grid.faceCount(); ++face) {
        auto [a, b, c] = grid.corners(face);
        put(text,
            "\t\t\t*MESH_FACE %5d:    A: %5d B: %5d C: %5d AB:    1 BC:    1 CA:    0"
            "\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\n",
            face, grid.vertex(a), grid.vertex(b), grid.vertex(c));
    }
    text += "\t\t}\n";
}

void putTextureLists(std::string& text, const TorusGrid& grid) {
    put(text, "\t\t*MESH_NUMTVERTEX %d\n\t\t*MESH_TVERTLIST {\n", grid.textureVertexCount());
    for (int i = 0; i <= grid.rings(); ++i) {
        for (int j = 0; j <= grid.sides(); ++j) {
            auto [u, v] = grid.textureCoordinate({i, j});
            put(text, "\t\t\t*MESH_TVERT %5d\t%.6f\t%.6f\t0.000000\n", grid.textureVertex({i, j}),
                u, v);
        }
    }
    put(text, "\t\t}\n\t\t*MESH_NUMTVFACES %d\n\t\t*MESH_TFACELIST {\n", grid.faceCount());
    for (int face = 0; face < grid.faceCount(); ++face) {
        auto [a, b, c] = grid.corners(face);
        put(text, "\t\t\t*MESH_TFACE %5d\t%d\t%d\t%d\n", face, grid.textureVertex(a),
            grid.textureVertex(b), grid.textureVertex(c));
    }
    text += "\t\t}\n";
}

void putNormals(std::string& text, const TorusGrid& grid) {
    text += "\t\t*MESH_NORMALS {\n";
    for (int face = 0; face < grid.faceCount(); ++face) {
        Vec3 n = grid.faceNormal(face);
        put(text, "\t\t\t*MESH_FACENORMAL %d\t%.6f\t%.6f\t%.6f\n", face, n.x, n.y, n.z);
        for (GridPoint corner : grid.corners(face)) {
            Vec3 m = grid.normal(corner);
            put(text, "\t\t\t\t*MESH_VERTEXNORMAL %d\t%.6f\t%.6f\t%.6f\n", grid.vertex(corner), m.x,
                m.y, m.z);
        }
    }
    text += "\t\t}\n";
}

}  // namespace

std::string torusAse(int rings, int sides) {
    TorusGrid grid(rings, sides);
    std::string text = "*3DSMAX_ASCIIEXPORT\t200\n*GEOMOBJECT {\n\t*NODE_NAME \"Torus\"\n";
    put(text, "\t*MESH {\n\t\t*TIMEVALUE 0\n\t\t*MESH_NUMVERTEX %d\n\t\t*MESH_NUMFACES %d\n",
        grid.vertexCount(), grid.faceCount());
    putVertexList(text, grid);
    putFaceList(text, grid);
    putTextureLists(text, grid);
    putNormals(text, grid);
    text += "\t}\n}\n";
    return text;
}

}  // namespace meshwright::render
