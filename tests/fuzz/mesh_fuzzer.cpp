// Arbitrary bytes through the reader and, when it accepts them, through every writer, in memory.
// Any crash, sanitizer report, leak, hang or oversized allocation is a finding.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ase/byte_source.h"
#include "ase/section_readers.h"
#include "ase/token_reader.h"
#include "codegen/output.h"
#include "codegen/writers.h"

namespace {

// Counts what a writer produces without keeping it: the output's size is not the point here.
class DiscardingSink : public meshwright::ByteSink {
  public:
    void write(const char*, size_t size) override { written += size; }
    size_t written = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace meshwright;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MemorySource source(bytes);
    // A small block makes words cross block boundaries as they do in large files.
    TokenReader reader(source, 1 + size % 61);
    MeshData mesh;
    try {
        mesh = readMesh(reader);
    } catch (const MeshError&) {
        return 0;
    }
    for (auto writer :
         {writeDisplayList, writeVertexArray, writeIndexedVertexArray, writeExactIndexedArray}) {
        DiscardingSink sink;
        Output out(sink, 256);
        writer(mesh, out);
        out.flush();
    }
    return 0;
}
