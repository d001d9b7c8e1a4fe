// The in-memory mesh: what the section readers fill and the writers read.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace meshwright {

// A position, a normal, or a texture vertex (u, v, w held in x, y, z).
struct Vec3f {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// One triangle: indices into MeshData::vertices, and the face's first smoothing group, or -1 when
// the face belongs to none (then kind 1 draws it flat).
struct FaceRecord {
    int32_t a = 0;
    int32_t b = 0;
    int32_t c = 0;
    int32_t smoothing = 0;
    // Every group of the face as a bit: group n (1 to 32) is bit n - 1, so "1,3" is 0b101. Groups
    // 0 and past 32 set no bit. Normals made from smoothing groups read it; the writers don't.
    uint32_t smoothingGroups = 0;
};

// Indices into MeshData::tVertices for corners a, b, c of the face at the same position.
struct TexFaceRecord {
    int32_t a = 0;
    int32_t b = 0;
    int32_t c = 0;
};

// Counts start at 0 and arrays absent. An array is present once its section was read, even when
// its count was 0: absent and empty mean different things to the writers.
//
// Once readMesh returns, the mesh satisfies:
//  - every present array has exactly the length its count gives (cornerNormals: 3 x faceCount);
//  - every a, b, c of faces lies in 0 .. vertexCount - 1;
//  - when tVertices and tFaces are both present, tFaces holds at least faceCount records and those
//    first faceCount records index 0 .. tVertexCount - 1;
//  - positions and normals are in Y-up axes.
struct MeshData {
    int32_t faceCount = 0;     // *MESH_NUMFACES
    int32_t vertexCount = 0;   // *MESH_NUMVERTEX
    int32_t tvFaceCount = 0;   // *MESH_NUMTVFACES: how many texture faces (tFaces) there are
    int32_t tVertexCount = 0;  // *MESH_NUMTVERTEX

    // *MESH_VERTEX_LIST; element i at the index its record gives.
    std::optional<std::vector<Vec3f>> vertices;
    // *MESH_FACE_LIST; element j is the j-th record of the list (the file's face number is unused).
    std::optional<std::vector<FaceRecord>> faces;
    // *MESH_NORMALS; element j at the face index its *MESH_FACENORMAL record gives.
    std::optional<std::vector<Vec3f>> faceNormals;
    // *MESH_TVERTLIST; element i at the index its record gives.
    std::optional<std::vector<Vec3f>> tVertices;
    // *MESH_TFACELIST; element i at the index its record gives, belonging to faces[i].
    std::optional<std::vector<TexFaceRecord>> tFaces;
    // *MESH_NORMALS; elements 3j, 3j+1, 3j+2 are the corner normals of the j-th face-normal
    // record, in the order the file lists them. Present exactly when faceNormals is.
    std::optional<std::vector<Vec3f>> cornerNormals;
    // *MESH_FACE_LIST; element j is the number after *MESH_MTLID in the j-th record: which
    // sub-material of a multi-material draws faces[j]. Present exactly when faces is, unless the
    // reader was asked not to keep it (ReadOptions::materialIds); the writers don't read it.
    std::optional<std::vector<int32_t>> materialIds;

    // Whether any of the nine section keywords was read: a file without one holds no mesh at all.
    bool sectionFound = false;
};

}  // namespace meshwright
