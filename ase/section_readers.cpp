// The read loop over the words of an ASE file, the nine section readers, and the axis turn.
#include "ase/section_readers.h"

#include <algorithm>
#include <utility>

#include "ase/growing_array.h"
#include "ase/mesh_checks.h"
#include "ase/number_words.h"

namespace meshwright {

namespace {

// Counts up to this are taken as they are: a short hand-written file may give a count and no
// list. Above it a count must fit the input, so a bogus one is refused where it stands.
constexpr int32_t kCountAlwaysAllowed = 1000;
// Every record of every list has at least five words, so it takes at least ten bytes; a face
// record at least eleven, one of them *MESH_SMOOTHING; a normals record twenty.
constexpr uint64_t kRecordBytesAtLeast = 10;
constexpr uint64_t kFaceRecordBytesAtLeast = 36;
constexpr uint64_t kNormalsRecordBytesAtLeast = 40;
// How many records a list takes room for ahead when the input's size is unknown (a pipe): the
// array grows from there as records arrive.
constexpr size_t kRecordsAheadOfUnknownInput = 1 << 16;

// The record being read, for the message when the input ends inside it.
struct RecordPlace {
    const ListNames& names;
    int32_t record;
    int32_t count;
};

class MeshReader {
  public:
    explicit MeshReader(TokenReader& reader) : reader_(reader) {}
    MeshData read();

  private:
    bool dispatchKeyword(std::string_view word);
    void readCount(int32_t& count, const ListNames& names);
    void checkCountFits(int32_t count, const ListNames& names);
    size_t recordsToReserve(int32_t count, uint64_t recordBytes) const;
    void openList(const ListNames& names);
    void readPointList(std::optional<std::vector<Vec3f>>& points, int32_t count,
                       const ListNames& names);
    void readIndexedPoint(GrowingArray<Vec3f>& points, const RecordPlace& place);
    void readFaceList();
    FaceRecord readFaceRecord(const RecordPlace& place, int32_t& materialId);
    void readNormals();
    void readTFaceList();

    std::string_view nextWord(const RecordPlace& place);
    void skip(const RecordPlace& place, int words = 1);
    int32_t readInt(const RecordPlace& place) { return parseInt(nextWord(place)); }
    Vec3f readVec(const RecordPlace& place);

    TokenReader& reader_;
    MeshData mesh_;
};

// The index a record stores to, once it is known to lie inside the list's `length`.
size_t checkedIndex(int32_t index, int32_t length, const RecordPlace& place) {
    if (index < 0 || index >= length) {
        failRecordIndex(place.names, place.record, index, length);
    }
    return static_cast<size_t>(index);
}

MeshData MeshReader::read() {
    while (std::optional<std::string_view> word = reader_.readToken()) {
        dispatchKeyword(*word);
    }
    if (!reader_.sizeKnown()) {
        // Only now is the size of a piped input known; a count its list did not prove is held
        // to the same rule as in a file.
        checkCountFits(mesh_.vertexCount, kVertexListNames);
        checkCountFits(mesh_.faceCount, kFaceListNames);
        checkCountFits(mesh_.tVertexCount, kTVertexListNames);
        checkCountFits(mesh_.tvFaceCount, kTFaceListNames);
    }
    checkMesh(mesh_);
    convertAxes(mesh_);
    return std::move(mesh_);
}

// Runs the reader of a section keyword and returns true; any other word is passed over. A
// keyword counts wherever it stands: the file's nesting is not followed.
bool MeshReader::dispatchKeyword(std::string_view word) {
    // Every keyword has 13 to 17 characters and starts with '*': numbers and labels stop here.
    if (word.size() < 13 || word.size() > 17 || word[0] != '*') {
        return false;
    }
    if (word == "*MESH_NUMVERTEX") {
        readCount(mesh_.vertexCount, kVertexListNames);
    } else if (word == "*MESH_NUMFACES") {
        readCount(mesh_.faceCount, kFaceListNames);
    } else if (word == "*MESH_VERTEX_LIST") {
        readPointList(mesh_.vertices, mesh_.vertexCount, kVertexListNames);
    } else if (word == "*MESH_FACE_LIST") {
        readFaceList();
    } else if (word == "*MESH_NORMALS") {
        readNormals();
    } else if (word == "*MESH_TVERTLIST") {
        readPointList(mesh_.tVertices, mesh_.tVertexCount, kTVertexListNames);
    } else if (word == "*MESH_TFACELIST") {
        readTFaceList();
    } else if (word == "*MESH_NUMTVFACES") {
        readCount(mesh_.tvFaceCount, kTFaceListNames);
    } else if (word == "*MESH_NUMTVERTEX") {
        readCount(mesh_.tVertexCount, kTVertexListNames);
    } else {
        return false;
    }
    mesh_.sectionFound = true;
    return true;
}

void MeshReader::readCount(int32_t& count, const ListNames& names) {
    std::optional<std::string_view> word = reader_.readToken();
    if (!word) {
        failInputEndsAfterKeyword(names.countKeyword, "its value");
    }
    int32_t value = parseInt(*word);
    if (value < 0) {
        failNegativeCount(names.countKeyword, value);
    }
    if (reader_.sizeKnown()) {
        checkCountFits(value, names);
    }
    count = value;
}

void MeshReader::checkCountFits(int32_t count, const ListNames& names) {
    if (count > kCountAlwaysAllowed &&
        kRecordBytesAtLeast * static_cast<uint64_t>(count) > reader_.textSize()) {
        failCountBeyondInput(names.countKeyword, count, names.countedMany);
    }
}

// Room taken ahead for a list of `count` records: no more than the rest of the input can hold,
// so a count the file can't back never becomes memory; the array grows past it if need be.
size_t MeshReader::recordsToReserve(int32_t count, uint64_t recordBytes) const {
    const uint64_t fits =
        reader_.sizeKnown() ? reader_.textLeft() / recordBytes : kRecordsAheadOfUnknownInput;
    return static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(count), fits));
}

// Skips the word that opens a list, whatever it is; a list has no closing word of its own.
void MeshReader::openList(const ListNames& names) {
    if (!reader_.readToken()) {
        failInputEndsAfterKeyword(names.listKeyword, "the list opens");
    }
}

// Vertices and texture vertices.
void MeshReader::readPointList(std::optional<std::vector<Vec3f>>& points, int32_t count,
                               const ListNames& names) {
    openList(names);
    GrowingArray<Vec3f> read(static_cast<size_t>(count),
                             recordsToReserve(count, kRecordBytesAtLeast));
    for (int32_t record = 0; record < count; ++record) {
        readIndexedPoint(read, {names, record, count});
    }
    points = read.finish();
}

// "*MESH_VERTEX 3 1.0 2.0 3.0": a label, an index, three reals stored at the index.
void MeshReader::readIndexedPoint(GrowingArray<Vec3f>& points, const RecordPlace& place) {
    skip(place);
    int32_t index = readInt(place);
    Vec3f point = readVec(place);
    points.storeAt(checkedIndex(index, place.count, place), point);
}

// Faces are kept in the order of the list; the file's face numbers are not used.
void MeshReader::readFaceList() {
    openList(kFaceListNames);
    int32_t count = mesh_.faceCount;
    GrowingArray<FaceRecord> faces(static_cast<size_t>(count),
                                   recordsToReserve(count, kFaceRecordBytesAtLeast));
    GrowingArray<int32_t> materialIds(static_cast<size_t>(count),
                                      recordsToReserve(count, kFaceRecordBytesAtLeast));
    for (int32_t record = 0; record < count; ++record) {
        int32_t materialId = 0;
        faces.append(readFaceRecord({kFaceListNames, record, count}, materialId));
        materialIds.append(materialId);
    }
    mesh_.faces = faces.finish();
    mesh_.materialIds = materialIds.finish();
}

// "1,3" gives bits 0 and 2.
uint32_t smoothingGroupBits(std::string_view groups) {
    uint32_t bits = 0;
    for (size_t start = 0; start <= groups.size();) {
        const size_t comma = std::min(groups.find(',', start), groups.size());
        const int32_t group = parseInt(groups.substr(start, comma - start));
        if (group >= 1 && group <= 32) {
            bits |= uint32_t(1) << (group - 1);
        }
        start = comma + 1;
    }
    return bits;
}

// "*MESH_FACE 0: A: 0 B: 1 C: 2 AB: 1 BC: 1 CA: 1 *MESH_SMOOTHING 1 *MESH_MTLID 0"
FaceRecord MeshReader::readFaceRecord(const RecordPlace& place, int32_t& materialId) {
    FaceRecord face;
    skip(place, 3);  // the label, the face number with its colon, "A:"
    face.a = readInt(place);
    skip(place);
    face.b = readInt(place);
    skip(place);
    face.c = readInt(place);
    // Exporters put edge flags, and sometimes more, before the smoothing groups. The next record
    // or the list's end must not be taken for them: the face would be misread silently.
    for (std::string_view word = nextWord(place); word != "*MESH_SMOOTHING";
         word = nextWord(place)) {
        if (word == "*MESH_FACE" || word == "}") {
            failNoSmoothing(place.record);
        }
    }
    std::string_view groups = nextWord(place);
    if (groups == "*MESH_MTLID") {
        face.smoothing = -1;  // no group: the face is drawn flat
    } else {
        face.smoothing = parseInt(groups);  // the first of "1,2" is 1
        face.smoothingGroups = smoothingGroupBits(groups);
        skip(place);  // *MESH_MTLID
    }
    materialId = readInt(place);
    return face;
}

// Twenty words per face: the face normal at the face index the record gives, then three corner
// normals kept in record order, whatever vertex numbers they name.
void MeshReader::readNormals() {
    openList(kNormalsNames);
    int32_t count = mesh_.faceCount;
    const size_t reserved = recordsToReserve(count, kNormalsRecordBytesAtLeast);
    GrowingArray<Vec3f> faceNormals(static_cast<size_t>(count), reserved);
    GrowingArray<Vec3f> cornerNormals(3 * static_cast<size_t>(count), 3 * reserved);
    for (int32_t record = 0; record < count; ++record) {
        RecordPlace place{kNormalsNames, record, count};
        readIndexedPoint(faceNormals, place);
        for (size_t corner = 0; corner < 3; ++corner) {
            skip(place, 2);  // the label and the vertex number
            cornerNormals.append(readVec(place));
        }
    }
    mesh_.faceNormals = faceNormals.finish();
    mesh_.cornerNormals = cornerNormals.finish();
}

// Label, index, three texture-vertex indices, stored at the index.
void MeshReader::readTFaceList() {
    openList(kTFaceListNames);
    int32_t count = mesh_.tvFaceCount;
    GrowingArray<TexFaceRecord> tFaces(static_cast<size_t>(count),
                                       recordsToReserve(count, kRecordBytesAtLeast));
    for (int32_t record = 0; record < count; ++record) {
        RecordPlace place{kTFaceListNames, record, count};
        skip(place);
        int32_t index = readInt(place);
        TexFaceRecord tFace;
        tFace.a = readInt(place);
        tFace.b = readInt(place);
        tFace.c = readInt(place);
        tFaces.storeAt(checkedIndex(index, count, place), tFace);
    }
    mesh_.tFaces = tFaces.finish();
}

std::string_view MeshReader::nextWord(const RecordPlace& place) {
    std::optional<std::string_view> word = reader_.readToken();
    if (!word) {
        failInputEndsInRecord(place.names, place.record, place.count);
    }
    return *word;
}

void MeshReader::skip(const RecordPlace& place, int words) {
    for (int i = 0; i < words; ++i) {
        nextWord(place);
    }
}

Vec3f MeshReader::readVec(const RecordPlace& place) {
    Vec3f vec;
    vec.x = parseReal(nextWord(place));
    vec.y = parseReal(nextWord(place));
    vec.z = parseReal(nextWord(place));
    return vec;
}

void turnToYUp(std::vector<Vec3f>& points) {
    for (Vec3f& point : points) {
        point = {point.x, point.z, -point.y};
    }
}

}  // namespace

MeshData readMesh(TokenReader& reader) {
    return MeshReader(reader).read();
}

void convertAxes(MeshData& mesh) {
    if (mesh.vertices) {
        turnToYUp(*mesh.vertices);
    }
    if (mesh.faceNormals) {
        turnToYUp(*mesh.faceNormals);
    }
    if (mesh.cornerNormals) {
        turnToYUp(*mesh.cornerNormals);
    }
}

}  // namespace meshwright
