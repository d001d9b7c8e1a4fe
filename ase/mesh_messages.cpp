// The messages of faults found while the words are read.
#include "ase/mesh_messages.h"

namespace meshwright {

std::string quantity(int64_t number, std::string_view one, std::string_view many) {
    return std::to_string(number) + " " + std::string(number == 1 ? one : many);
}

void failInputEndsAfterKeyword(std::string_view keyword, std::string_view before) {
    throwMeshError("the input ends right after ", keyword, ", before ", before);
}

void failInputEndsInRecord(const ListNames& names, int32_t record, int32_t count) {
    throwMeshError("the input ends inside the ", names.list, " (record ", int64_t{record} + 1,
                   " of ", count, ")");
}

void failRecordIndex(const ListNames& names, int32_t record, int32_t index, int32_t size) {
    throwMeshError("record ", int64_t{record} + 1, " of the ", names.list, " is for ",
                   names.counted, " ", index, ", but the mesh has ",
                   quantity(size, names.counted, names.countedMany));
}

void failNegativeCount(std::string_view keyword, int32_t count) {
    throwMeshError(keyword, " is ", count, "; a count can't be negative");
}

void failNoSmoothing(int32_t face) {
    throwMeshError("face ", face, " has no *MESH_SMOOTHING");
}

void failCountBeyondInput(std::string_view keyword, int32_t count, std::string_view countedMany) {
    throwMeshError(keyword, " ", count, " promises more ", countedMany, " than the file can hold");
}

}  // namespace meshwright
