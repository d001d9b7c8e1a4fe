// The generated torus written into memory.
#include "torus_text.h"

#include <cstdio>
#include <cstdlib>

#include "bench/torus_model.h"

namespace meshwright::testing {

std::string torusText(long faces) {
    char* bytes = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&bytes, &size);
    writeTorusModel(out, faces);
    std::fclose(out);
    std::string text(bytes, size);
    std::free(bytes);
    return text;
}

std::string withCarriageReturns(const std::string& text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            result.push_back('\r');
        }
        result.push_back(c);
    }
    return result;
}

}  // namespace meshwright::testing
