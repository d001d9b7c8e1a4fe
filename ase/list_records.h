// One record of each list of a mesh, read word by word: shared by the reader of the whole input
// and by the one that reads the second half of a long list ahead on another thread.
#pragma once

#include <cstdint>
#include <string_view>

#include "ase/mesh.h"
#include "ase/mesh_messages.h"
#include "ase/token_reader.h"

namespace meshwright {

// The record being read, for the message when the input ends inside it.
struct RecordPlace {
    const ListNames& names;
    int32_t record;
    int32_t count;
};

// The words of records, from `reader`. Each read throws MeshError (the input ends inside the
// record at `place`) when no word is left.
class RecordWords {
  public:
    explicit RecordWords(TokenReader& reader) : reader_(reader) {}

    std::string_view next(const RecordPlace& place);
    void skip(const RecordPlace& place, int words = 1);
    int32_t readInt(const RecordPlace& place);
    Vec3f readVec(const RecordPlace& place);
    // See TokenReader::skipToKeyword.
    bool skipToKeyword(std::string_view keyword) { return reader_.skipToKeyword(keyword); }

  private:
    TokenReader& reader_;
};

// The records, each read from the word after its label (the label is the caller's: the reader of
// the whole input passes over whatever word stands there, the one reading ahead checks it).

// Each record with an index throws MeshError, once its index and the words before the index's
// check are read, when the index lies outside the list's length (place.count).

// A record stored at the index it gives.
template <typename T>
struct Indexed {
    int32_t index = 0;
    T value;
};
using IndexedPoint = Indexed<Vec3f>;
using IndexedTFace = Indexed<TexFaceRecord>;

// "3 1.0 2.0 3.0" of "*MESH_VERTEX 3 1.0 2.0 3.0": vertices, texture vertices, face normals.
IndexedPoint readIndexedPoint(RecordWords& words, const RecordPlace& place);

// "A: 0 B: 1 C: 2 AB: 1 BC: 1 CA: 1 *MESH_SMOOTHING 1 *MESH_MTLID 0", after the label and the
// face number. Throws MeshError when the next record or the list's end comes before
// *MESH_SMOOTHING.
struct FaceEntry {
    FaceRecord face;
    int32_t materialId = 0;
};
FaceEntry readFaceBody(RecordWords& words, const RecordPlace& place);

// A face normal (its index checked before the corners are read), then three corner normals each
// with its label and vertex number: twenty words.
struct NormalsEntry {
    IndexedPoint faceNormal;
    Vec3f corners[3];
};
NormalsEntry readNormalsBody(RecordWords& words, const RecordPlace& place);

// "0 0 1 2" of "*MESH_TFACE 0 0 1 2": the index, then three texture-vertex indices.
IndexedTFace readTFaceBody(RecordWords& words, const RecordPlace& place);

}  // namespace meshwright
