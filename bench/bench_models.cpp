// The micro-benchmarks' shared inputs, generated in memory on first use.
#include "bench/bench_models.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "ase/byte_source.h"
#include "ase/section_readers.h"
#include "ase/token_reader.h"
#include "bench/torus_model.h"

namespace meshwright {

const std::string& torusText(long faceCount) {
    static std::map<long, std::string> texts;
    auto [place, made] = texts.try_emplace(faceCount);
    if (made) {
        char* data = nullptr;
        size_t size = 0;
        std::FILE* stream = open_memstream(&data, &size);
        if (stream == nullptr) {
            std::abort();
        }
        writeTorusModel(stream, faceCount);
        std::fclose(stream);
        place->second.assign(data, size);
        std::free(data);
    }
    return place->second;
}

const MeshData& torusMesh(long faceCount) {
    static std::map<long, MeshData> meshes;
    auto [place, made] = meshes.try_emplace(faceCount);
    if (made) {
        MemorySource source(torusText(faceCount));
        TokenReader reader(source);
        place->second = readMesh(reader);
    }
    return place->second;
}

}  // namespace meshwright
