// The five lists of a mesh as the list reader sees them: the label that opens each record, how a
// record is read after it, and where it is stored. The reader of the whole input stores through
// GrowingArrays; the one reading a list's second half ahead stores through plain pointers into
// the same arrays, at record numbers the first never reaches.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "ase/growing_array.h"
#include "ase/list_records.h"
#include "ase/number_words.h"

namespace meshwright {

// A record-order list stores record j at j; an indexed list at the index the record gives.
// Either way, a list that is read ahead has record j stored at j: ahead, a record whose index is
// not its number ends the stretch read.
//
// kScoutPercent: the share of a long list's rest that the scout reads, a little less than half.
// The scout checks each record's label and index, which the reader of the whole input passes
// over, and those checks weigh most in short records. Measured on the 500k-face torus, where
// one point off moves 2 to 4 ms of waiting from one thread to the other: at 48% for every list,
// the first thread waited about 20 ms in all for the scouts, with these about 5.

// A list of one array, each record stored at the index it gives: vertices and texture vertices
// ("*MESH_VERTEX 3 1.0 2.0 3.0"), texture faces ("*MESH_TFACE 0 0 1 2").
template <typename T, Indexed<T> (*kReadBody)(RecordWords&, const RecordPlace&),
          uint64_t kScoutShare>
struct IndexedList {
    using Record = Indexed<T>;
    static constexpr bool kIndexed = true;
    static constexpr uint64_t kScoutPercent = kScoutShare;

    struct Targets {
        T* elements;
    };
    struct Arrays {
        GrowingArray<T> elements;

        Arrays(size_t length, size_t reserved) : elements(length, reserved) {}
        bool inPlace(size_t records) const { return elements.inPlace(records); }
        Targets fillAll() { return {elements.fillAll()}; }
        std::optional<Targets> targetsAhead() {
            T* ahead = elements.elementsAhead();
            return ahead != nullptr ? std::optional(Targets{ahead}) : std::nullopt;
        }
        void store(size_t index, size_t /*record*/, const Record& read) {
            elements.storeAt(index, read.value);
        }
    };

    static Record readBody(RecordWords& words, const RecordPlace& place) {
        return kReadBody(words, place);
    }
    static int32_t indexOf(const Record& read) { return read.index; }
    static void store(Targets targets, size_t record, const Record& read) {
        targets.elements[record] = read.value;
    }
    static void clear(Targets targets, size_t from, size_t to) {
        std::fill(targets.elements + from, targets.elements + to, T{});
    }
    static void populate(Targets targets, size_t from, size_t to) {
        populateElements(targets.elements, from, to);
    }
};

using PointList = IndexedList<Vec3f, readIndexedPoint, 47>;
using TFaceList = IndexedList<TexFaceRecord, readTFaceBody, 42>;

// Faces, with their material ids when they are kept, in record order:
// "*MESH_FACE 0: A: 0 B: 1 C: 2 ...".
struct FaceList {
    using Record = FaceEntry;
    static constexpr bool kIndexed = false;
    static constexpr uint64_t kScoutPercent = 47;

    struct Targets {
        FaceRecord* faces;
        int32_t* materialIds;
    };
    struct Arrays {
        GrowingArray<FaceRecord> faces;
        bool keepMaterialIds;
        GrowingArray<int32_t> materialIds;  // empty unless kept

        Arrays(size_t length, size_t reserved, bool keepIds)
            : faces(length, reserved),
              keepMaterialIds(keepIds),
              materialIds(keepIds ? length : 0, keepIds ? reserved : 0) {}
        bool inPlace(size_t records) const { return faces.inPlace(records); }
        Targets fillAll() {
            return {faces.fillAll(), keepMaterialIds ? materialIds.fillAll() : nullptr};
        }
        std::optional<Targets> targetsAhead() {
            Targets ahead{faces.elementsAhead(),
                          keepMaterialIds ? materialIds.elementsAhead() : nullptr};
            const bool idsReady = !keepMaterialIds || ahead.materialIds != nullptr;
            return ahead.faces != nullptr && idsReady ? std::optional(ahead) : std::nullopt;
        }
        void store(size_t /*index*/, size_t record, const Record& read) {
            faces.storeAt(record, read.face);
            if (keepMaterialIds) {
                materialIds.storeAt(record, read.materialId);
            }
        }
    };

    // The face number, which ahead gives the record number of the first face read; the list
    // itself keeps faces in record order, whatever their numbers.
    static int32_t readNumber(RecordWords& words, const RecordPlace& place) {
        return words.readInt(place);  // "12:" is 12
    }
    static Record readBody(RecordWords& words, const RecordPlace& place) {
        return readFaceBody(words, place);
    }
    static void store(Targets targets, size_t record, const Record& read) {
        targets.faces[record] = read.face;
        if (targets.materialIds != nullptr) {
            targets.materialIds[record] = read.materialId;
        }
    }
    static void clear(Targets targets, size_t from, size_t to) {
        std::fill(targets.faces + from, targets.faces + to, FaceRecord{});
        if (targets.materialIds != nullptr) {
            std::fill(targets.materialIds + from, targets.materialIds + to, 0);
        }
    }
    static void populate(Targets targets, size_t from, size_t to) {
        populateElements(targets.faces, from, to);
        if (targets.materialIds != nullptr) {
            populateElements(targets.materialIds, from, to);
        }
    }
};

// Face normals at their index, corner normals three per record in record order.
struct NormalsList {
    using Record = NormalsEntry;
    static constexpr bool kIndexed = true;
    static constexpr uint64_t kScoutPercent = 46;

    struct Targets {
        Vec3f* faceNormals;
        Vec3f* cornerNormals;
    };
    struct Arrays {
        GrowingArray<Vec3f> faceNormals;
        GrowingArray<Vec3f> cornerNormals;

        Arrays(size_t length, size_t reserved)
            : faceNormals(length, reserved), cornerNormals(3 * length, 3 * reserved) {}
        bool inPlace(size_t records) const { return faceNormals.inPlace(records); }
        Targets fillAll() { return {faceNormals.fillAll(), cornerNormals.fillAll()}; }
        std::optional<Targets> targetsAhead() {
            Targets ahead{faceNormals.elementsAhead(), cornerNormals.elementsAhead()};
            const bool ready = ahead.faceNormals != nullptr && ahead.cornerNormals != nullptr;
            return ready ? std::optional(ahead) : std::nullopt;
        }
        void store(size_t index, size_t record, const Record& read) {
            faceNormals.storeAt(index, read.faceNormal.value);
            for (size_t corner = 0; corner < 3; ++corner) {
                cornerNormals.storeAt(3 * record + corner, read.corners[corner]);
            }
        }
    };

    static Record readBody(RecordWords& words, const RecordPlace& place) {
        return readNormalsBody(words, place);
    }
    static int32_t indexOf(const Record& read) { return read.faceNormal.index; }
    static void store(Targets targets, size_t record, const Record& read) {
        targets.faceNormals[record] = read.faceNormal.value;
        std::copy(read.corners, read.corners + 3, targets.cornerNormals + 3 * record);
    }
    static void clear(Targets targets, size_t from, size_t to) {
        std::fill(targets.faceNormals + from, targets.faceNormals + to, Vec3f{});
        std::fill(targets.cornerNormals + 3 * from, targets.cornerNormals + 3 * to, Vec3f{});
    }
    static void populate(Targets targets, size_t from, size_t to) {
        populateElements(targets.faceNormals, from, to);
        populateElements(targets.cornerNormals, 3 * from, 3 * to);
    }
};

}  // namespace meshwright
