// Writes the benchmarks' torus model: make_torus FACES OUTPUT.ase [OBJECTS]
// With OBJECTS, a scene of that many small tori sharing the faces, each with its own material.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/torus_model.h"

int main(int argc, char** argv) {
    char* end = nullptr;
    const long faces = argc == 3 || argc == 4 ? std::strtol(argv[1], &end, 10) : 0;
    const bool facesGood = end != nullptr && *end == '\0' && faces > 0;
    const long objects = argc == 4 ? std::strtol(argv[3], &end, 10) : 0;
    if (!facesGood || (argc == 4 && (*end != '\0' || objects <= 0))) {
        std::fprintf(stderr, "Usage: make_torus FACES OUTPUT.ase [OBJECTS]\n");
        return 2;
    }
    // Written aside and renamed when complete, so an interrupted run never leaves a cut model
    // that a later run would take for a finished one.
    const std::string temporary = std::string(argv[2]) + ".partial";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) {
        std::fprintf(stderr, "Error: can't create %s: %s\n", temporary.c_str(),
                     std::strerror(errno));
        return 1;
    }
    if (objects > 0) {
        meshwright::writeTorusScene(out, faces, objects);
    } else {
        meshwright::writeTorusModel(out, faces);
    }
    const bool writeFailed = std::ferror(out) != 0;
    if (std::fclose(out) != 0 || writeFailed || std::rename(temporary.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "Error: can't write %s: %s\n", argv[2], std::strerror(errno));
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}
