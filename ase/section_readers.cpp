// The read loop over the words of an ASE file, the nine section readers, and the axis turn.
#include "ase/section_readers.h"

#include <algorithm>
#include <memory>
#include <system_error>
#include <utility>

#include "ase/list_records.h"
#include "ase/list_scout.h"
#include "ase/mesh_checks.h"
#include "ase/mesh_lists.h"
#include "ase/mesh_messages.h"
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

class MeshReader {
  public:
    MeshReader(TokenReader& reader, const ReadOptions& options)
        : reader_(reader), words_(reader), options_(options) {}
    MeshData read();

  private:
    bool dispatchKeyword(std::string_view word);
    void readCount(int32_t& count, const ListNames& names);
    void checkCountFits(int32_t count, const ListNames& names);
    size_t recordsToReserve(int32_t count, uint64_t recordBytes) const;
    void openList(const ListNames& names);
    void readPointList(std::optional<std::vector<Vec3f>>& points, int32_t count,
                       const ListNames& names, std::string_view label);
    void readFaceList();
    void readNormals();
    void readTFaceList();

    template <typename List, typename... More>
    typename List::Arrays readList(int32_t count, const ListNames& names, std::string_view label,
                                   uint64_t recordBytes, More... more);
    template <typename List>
    void readRecords(typename List::Arrays& arrays, int32_t count, const ListNames& names,
                     std::string_view label);
    template <typename List>
    typename List::Record readRecord(const RecordPlace& place);
    template <typename List>
    std::unique_ptr<ListScout<List>> sendScout(typename List::Arrays& arrays, int32_t read,
                                               int32_t count, uint64_t listStart,
                                               const ListNames& names, std::string_view label);

    TokenReader& reader_;
    RecordWords words_;
    const ReadOptions& options_;
    MeshData mesh_;
};

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
        readPointList(mesh_.vertices, mesh_.vertexCount, kVertexListNames, "*MESH_VERTEX");
    } else if (word == "*MESH_FACE_LIST") {
        readFaceList();
    } else if (word == "*MESH_NORMALS") {
        readNormals();
    } else if (word == "*MESH_TVERTLIST") {
        readPointList(mesh_.tVertices, mesh_.tVertexCount, kTVertexListNames, "*MESH_TVERT");
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

// Vertices and texture vertices, each stored at the index its record gives.
void MeshReader::readPointList(std::optional<std::vector<Vec3f>>& points, int32_t count,
                               const ListNames& names, std::string_view label) {
    points = readList<PointList>(count, names, label, kRecordBytesAtLeast).elements.finish();
}

// Faces are kept in the order of the list; the file's face numbers are not used.
void MeshReader::readFaceList() {
    auto read = readList<FaceList>(mesh_.faceCount, kFaceListNames, "*MESH_FACE",
                                   kFaceRecordBytesAtLeast, options_.materialIds);
    mesh_.faces = read.faces.finish();
    if (options_.materialIds) {
        mesh_.materialIds = read.materialIds.finish();
    }
}

// Twenty words per face: the face normal at the face index the record gives, then three corner
// normals kept in record order, whatever vertex numbers they name.
void MeshReader::readNormals() {
    auto read = readList<NormalsList>(mesh_.faceCount, kNormalsNames, "*MESH_FACENORMAL",
                                      kNormalsRecordBytesAtLeast);
    mesh_.faceNormals = read.faceNormals.finish();
    mesh_.cornerNormals = read.cornerNormals.finish();
}

// Label, index, three texture-vertex indices, stored at the index.
void MeshReader::readTFaceList() {
    mesh_.tFaces =
        readList<TFaceList>(mesh_.tvFaceCount, kTFaceListNames, "*MESH_TFACE", kRecordBytesAtLeast)
            .elements.finish();
}

// A list of `count` records, each of at least `recordBytes` bytes, after the word that opens it;
// `more` goes to the list's arrays.
template <typename List, typename... More>
typename List::Arrays MeshReader::readList(int32_t count, const ListNames& names,
                                           std::string_view label, uint64_t recordBytes,
                                           More... more) {
    openList(names);
    typename List::Arrays read(static_cast<size_t>(count), recordsToReserve(count, recordBytes),
                               more...);
    readRecords<List>(read, count, names, label);
    return read;
}

// Reads `count` records into `arrays`. The first options_.sampleRecords tell how long a record
// is; when the list is long enough, a scout then reads its second half on another thread.
template <typename List>
void MeshReader::readRecords(typename List::Arrays& arrays, int32_t count, const ListNames& names,
                             std::string_view label) {
    const bool mayScout = options_.threads > 1 && count > options_.sampleRecords;
    uint64_t listStart = 0;
    if (mayScout) {
        reader_.skipBlanks();
        listStart = reader_.offset();
    }
    std::unique_ptr<ListScout<List>> scout;  // destroyed before `arrays`, which it writes
    // The scout's first record, copied here: its object shares a cache line with what the scout
    // writes, and a look at it after every record would pull that line to and fro.
    int32_t scoutFirst = -1;
    for (int32_t record = 0; record < count;) {
        if (scout && record == scoutFirst) {
            reader_.skipBlanks();
            if (reader_.offset() == scout->firstOffset()) {
                scout->finish();
                const int32_t taken = scout->stored();
                if (taken > 0 && reader_.seek(scout->endOffset())) {
                    record += taken;
                    if (options_.report != nullptr) {
                        ++options_.report->scoutsTaken;
                        options_.report->recordsTaken += taken;
                    }
                    scout.reset();
                    continue;
                }
            }
            // Not where the scout started, after all: its records are not the list's.
            scout->giveUp();
            scout.reset();
        }
        const RecordPlace place{names, record, count};
        const typename List::Record read = readRecord<List>(place);
        size_t index = static_cast<size_t>(record);
        if constexpr (List::kIndexed) {
            index = static_cast<size_t>(List::indexOf(read));
            if (scout && index != static_cast<size_t>(record)) {
                // A record out of order may land where the scout stores: the scout's records
                // are given up before it is stored, and the list is read on here alone.
                scout->giveUp();
                scout.reset();
            }
        }
        arrays.store(index, static_cast<size_t>(record), read);
        ++record;
        if (mayScout && record == options_.sampleRecords) {
            scout = sendScout<List>(arrays, record, count, listStart, names, label);
            scoutFirst = scout ? scout->first() : -1;
        }
    }
}

// Passes over the record's label, whatever word it is, then reads the rest.
template <typename List>
typename List::Record MeshReader::readRecord(const RecordPlace& place) {
    if constexpr (List::kIndexed) {
        words_.skip(place);
    } else {
        words_.skip(place, 2);  // the label and the face number
    }
    return List::readBody(words_, place);
}

// A scout for the records past `read`, when the list is long and regular so far (stored in place,
// in order) and the input can be read twice; nullptr otherwise. The list's length in bytes is
// estimated from the records read; it must fit in the rest of the input, which makes the count
// believable enough to give the arrays their whole length now.
template <typename List>
std::unique_ptr<ListScout<List>> MeshReader::sendScout(typename List::Arrays& arrays, int32_t read,
                                                       int32_t count, uint64_t listStart,
                                                       const ListNames& names,
                                                       std::string_view label) {
    if (!reader_.canSeek() || !arrays.inPlace(static_cast<size_t>(read)) ||
        count - read < options_.scoutRecordsAtLeast) {
        return nullptr;
    }
    const uint64_t readBytes = reader_.offset() - listStart;
    const uint64_t recordBytes = std::max<uint64_t>(readBytes / static_cast<uint64_t>(read), 1);
    const uint64_t restBytes = recordBytes * static_cast<uint64_t>(count - read);
    if (restBytes > reader_.textLeft() || restBytes < options_.scoutBytesAtLeast) {
        return nullptr;
    }
    // The scout's share of the rest of the list (see kScoutPercent in mesh_lists.h).
    constexpr uint64_t kScoutPercent = List::kScoutPercent;
    const uint64_t start = reader_.offset() + restBytes / 100 * (100 - kScoutPercent);
    std::unique_ptr<ByteSource> source = reader_.openAt(start);
    if (!source) {
        return nullptr;
    }
    // Where the arrays will be once they have their length, when that is known now: then the scout
    // gets the pages of its part ready while this thread fills the arrays.
    const std::optional<typename List::Targets> ahead = arrays.targetsAhead();
    const typename List::Targets targets = ahead ? *ahead : arrays.fillAll();
    const auto expectedFirst = static_cast<int32_t>(read + static_cast<uint64_t>(count - read) *
                                                               (100 - kScoutPercent) / 100);
    std::unique_ptr<ListScout<List>> scout;
    try {
        scout =
            std::make_unique<ListScout<List>>(std::move(source), start, options_.scoutBlockSize,
                                              label, read, count, names, targets, expectedFirst);
    } catch (const std::system_error&) {
        return nullptr;  // no thread to be had: one reads it all, as ever
    }
    if (ahead) {
        arrays
            .fillAll();  // inside the room taken ahead: the elements stay where the scout has them
    }
    scout->targetsFilled();
    if (!scout->found()) {
        return nullptr;
    }
    if (options_.report != nullptr) {
        ++options_.report->scoutsSent;
    }
    return scout;
}

void turnToYUp(std::vector<Vec3f>& points) {
    for (Vec3f& point : points) {
        point = {point.x, point.z, -point.y};
    }
}

}  // namespace

MeshData readMesh(TokenReader& reader, const ReadOptions& options) {
    return MeshReader(reader, options).read();
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
