// Names and strings as C and C++ source text.
#pragma once

#include <string>
#include <string_view>

namespace meshwright {

// True for a C identifier: a letter or '_', then letters, digits and '_' (ASCII only).
bool isCIdentifier(std::string_view text);

// The base name of `path` (after its last '/') without its last `extensionLength` characters,
// made a C identifier: every other character becomes '_', and '_' goes in front of a leading
// digit or of nothing. "models/3 Cubes.ase" with 4 gives "_3_Cubes".
std::string cIdentifierFromPath(std::string_view path, size_t extensionLength);

// `text` as a C string literal in quotes that holds exactly its bytes: '\' and '"' escaped, '?'
// as "\?" (so no trigraph forms), and control and non-ASCII bytes as three-digit octal escapes.
std::string cStringLiteral(std::string_view text);

}  // namespace meshwright
