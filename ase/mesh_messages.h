// The messages of the mesh reader and its checks: how they name the file's lists, and the
// faults found while the words are read. Private to ase/: no caller outside it sees a message
// but through MeshError.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ase/mesh_error.h"

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

namespace message_text {

inline std::string text(std::string_view part) {
    return std::string(part);
}
inline std::string text(int64_t number) {
    return std::to_string(number);
}

}  // namespace message_text

// Throws MeshError with the pieces joined; numbers become decimal text.
template <typename... Parts>
[[noreturn]] void throwMeshError(const Parts&... parts) {
    std::string message;
    (message += ... += message_text::text(parts));
    throw MeshError(message);
}

}  // namespace meshwright
