// Reading the records of the mesh's lists.
#include "ase/list_records.h"

#include <algorithm>

#include "ase/number_words.h"

namespace meshwright {

std::string_view RecordWords::next(const RecordPlace& place) {
    std::optional<std::string_view> word = reader_.readToken();
    if (!word) {
        failInputEndsInRecord(place.names, place.record, place.count);
    }
    return *word;
}

void RecordWords::skip(const RecordPlace& place, int words) {
    for (int i = 0; i < words; ++i) {
        next(place);
    }
}

int32_t RecordWords::readInt(const RecordPlace& place) {
    return parseInt(next(place));
}

Vec3f RecordWords::readVec(const RecordPlace& place) {
    Vec3f vec;
    vec.x = parseReal(next(place));
    vec.y = parseReal(next(place));
    vec.z = parseReal(next(place));
    return vec;
}

namespace {

// A record's index, once it is known to lie inside the list's length.
int32_t checkedIndex(int32_t index, const RecordPlace& place) {
    if (index < 0 || index >= place.count) {
        failRecordIndex(place.names, place.record, index, place.count);
    }
    return index;
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

}  // namespace

IndexedPoint readIndexedPoint(RecordWords& words, const RecordPlace& place) {
    IndexedPoint read;
    const int32_t index = words.readInt(place);
    read.value = words.readVec(place);
    read.index = checkedIndex(index, place);
    return read;
}

FaceEntry readFaceBody(RecordWords& words, const RecordPlace& place) {
    FaceEntry read;
    FaceRecord& face = read.face;
    words.skip(place);  // "A:"
    face.a = words.readInt(place);
    words.skip(place);
    face.b = words.readInt(place);
    words.skip(place);
    face.c = words.readInt(place);
    // Exporters put edge flags, and sometimes more, before the smoothing groups. The next record
    // or the list's end must not be taken for them: the face would be misread silently. Most
    // records have plain words there, which one scan passes over.
    if (!words.skipToKeyword("*MESH_SMOOTHING")) {
        for (std::string_view word = words.next(place); word != "*MESH_SMOOTHING";
             word = words.next(place)) {
            if (word == "*MESH_FACE" || word == "}") {
                failNoSmoothing(place.record);
            }
        }
    }
    std::string_view groups = words.next(place);
    if (groups == "*MESH_MTLID") {
        face.smoothing = -1;  // no group: the face is drawn flat
    } else {
        face.smoothing = parseInt(groups);  // the first of "1,2" is 1
        face.smoothingGroups = smoothingGroupBits(groups);
        words.skip(place);  // *MESH_MTLID
    }
    read.materialId = words.readInt(place);
    return read;
}

// Corner normals are kept in record order, whatever vertex numbers they name.
NormalsEntry readNormalsBody(RecordWords& words, const RecordPlace& place) {
    NormalsEntry read;
    read.faceNormal = readIndexedPoint(words, place);
    for (Vec3f& corner : read.corners) {
        words.skip(place, 2);  // the label and the vertex number
        corner = words.readVec(place);
    }
    return read;
}

IndexedTFace readTFaceBody(RecordWords& words, const RecordPlace& place) {
    IndexedTFace read;
    const int32_t index = words.readInt(place);
    read.value.a = words.readInt(place);
    read.value.b = words.readInt(place);
    read.value.c = words.readInt(place);
    read.index = checkedIndex(index, place);
    return read;
}

}  // namespace meshwright
