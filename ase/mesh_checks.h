// The mesh's rules as the section readers enforce them, and the messages that tell a broken rule.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ase/mesh.h"

namespace meshwright {

// How messages name one list of the file, its keywords and what it holds.
struct ListNames {
    std::string_view list;          // "vertex list"
    std::string_view listKeyword;   // "*MESH_VERTEX_LIST"
    std::string_view countKeyword;  // "*MESH_NUMVERTEX": the count that sizes the list
    std::string_view entry;         // "vertex": what one record of the list sets ...
    std::string_view entries;       // "vertices"
    std::string_view counted;       // "vertex": ... and what the count counts
    std::string_view countedMany;   // "vertices"
};

inline constexpr ListNames kVertexListNames{"vertex list", "*MESH_VERTEX_LIST", "*MESH_NUMVERTEX",
                                            "vertex",      "vertices",          "vertex",
                                            "vertices"};
inline constexpr ListNames kFaceListNames{
    "face list", "*MESH_FACE_LIST", "*MESH_NUMFACES", "face", "faces", "face", "faces"};
inline constexpr ListNames kNormalsNames{"normals list", "*MESH_NORMALS", "*MESH_NUMFACES",
                                         "face normal",  "face normals",  "face",
                                         "faces"};
inline constexpr ListNames kTVertexListNames{
    "texture vertex list", "*MESH_TVERTLIST", "*MESH_NUMTVERTEX", "texture vertex",
    "texture vertices",    "texture vertex",  "texture vertices"};
inline constexpr ListNames kTFaceListNames{
    "texture face list", "*MESH_TFACELIST", "*MESH_NUMTVFACES", "texture face",
    "texture faces",     "texture face",    "texture faces"};

// "1 vertex", "8 vertices".
std::string quantity(int64_t number, std::string_view one, std::string_view many);

// Each throws MeshError with the message for its fault. Record numbers count from 1
// ("record 3 of 8"); face and texture-face numbers are positions in their arrays, from 0.
[[noreturn]] void failInputEndsAfterKeyword(std::string_view keyword, std::string_view before);
[[noreturn]] void failInputEndsInRecord(const ListNames& names, int32_t record, int32_t count);
[[noreturn]] void failRecordIndex(const ListNames& names, int32_t record, int32_t index,
                                  int32_t size);
[[noreturn]] void failNegativeCount(std::string_view keyword, int32_t count);
[[noreturn]] void failNoSmoothing(int32_t face);
[[noreturn]] void failCountBeyondInput(std::string_view keyword, int32_t count,
                                       std::string_view countedMany);

// The rules that hold only once the whole input is read, because later sections may still change
// the counts: every present array as long as its count says, face corners within the vertices,
// and, when the mesh has both texture arrays, a texture face per face whose corners lie within
// the texture vertices. Throws MeshError for the first rule broken.
void checkMesh(const MeshData& mesh);

// Whether checkMesh would accept `mesh`: what the writers assert before they follow its indices.
bool meetsMeshRules(const MeshData& mesh);

}  // namespace meshwright
