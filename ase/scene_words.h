// The words of a scene's structure: like the mesh's words, but a quoted name is one word.
#pragma once

#include <optional>
#include <string_view>

#include "ase/token_reader.h"

namespace meshwright {

struct SceneWord {
    std::string_view text;  // valid until the next read
    bool quoted = false;    // it stood between quotes, so it is a name, never a brace or keyword
};

// Reads the blocks around the meshes: object and material blocks, whose names may hold blanks
// ("Bip01 L Thigh") or braces, which must not be counted as the block's own.
class SceneWords {
  public:
    explicit SceneWords(TokenReader& reader) : reader_(reader) {}

    // The next word or quoted text; nullopt at the end of the input.
    std::optional<SceneWord> next();
    // The text of the next word or quoted text; empty at the end of the input.
    std::string_view nextText();
    // The next word when it is "{": true. Otherwise false, and that word is consumed.
    bool opensBlock();
    // Passes over the rest of a block whose "{" was just read, nested blocks included. False
    // when the input ends first.
    bool skipBlock();

    TokenReader& reader() { return reader_; }

  private:
    TokenReader& reader_;
};

}  // namespace meshwright
