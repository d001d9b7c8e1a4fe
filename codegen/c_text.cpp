// C identifiers and string literals.
#include "codegen/c_text.h"

#include <algorithm>

namespace meshwright {
namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool isCIdentifier(std::string_view text) {
    if (text.empty() || !isLetter(text[0])) {
        return false;
    }
    for (char c : text) {
        if (!isLetter(c) && !isDigit(c)) {
            return false;
        }
    }
    return true;
}

std::string cIdentifierFromPath(std::string_view path, size_t extensionLength) {
    const size_t slash = path.rfind('/');
    std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
    base = base.substr(0, base.size() - std::min(extensionLength, base.size()));
    std::string name = base.empty() || isDigit(base[0]) ? "_" : "";
    for (char c : base) {
        name += isLetter(c) || isDigit(c) ? c : '_';
    }
    return name;
}

std::string cStringLiteral(std::string_view text) {
    std::string literal = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"' || c == '?') {
            literal += '\\';
            literal += c;
        } else if (byte < 0x20 || byte >= 0x7f) {
            literal += '\\';
            literal += char('0' + (byte >> 6));
            literal += char('0' + ((byte >> 3) & 7));
            literal += char('0' + (byte & 7));
        } else {
            literal += c;
        }
    }
    return literal + '"';
}

}  // namespace meshwright
