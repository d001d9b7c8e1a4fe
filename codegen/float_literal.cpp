// Shortest float literals.
#include "codegen/float_literal.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>

namespace meshwright {

char* formatFloatLiteral(float value, char* out) {
    assert(std::isfinite(value));
    const std::to_chars_result result = std::to_chars(out, out + kFloatLiteralCapacity - 2, value);
    char* end = result.ptr;
    if (std::memchr(out, '.', size_t(end - out)) == nullptr &&
        std::memchr(out, 'e', size_t(end - out)) == nullptr) {
        *end++ = '.';
    }
    *end++ = 'f';
    return end;
}

}  // namespace meshwright
