// Reading a scene's structure word by word, with quoted names kept whole.
#include "ase/scene_words.h"

#include <cstdint>

namespace meshwright {

std::optional<SceneWord> SceneWords::next() {
    if (std::optional<std::string_view> quoted = reader_.readQuoted()) {
        return SceneWord{*quoted, true};
    }
    if (std::optional<std::string_view> word = reader_.readToken()) {
        return SceneWord{*word, false};
    }
    return std::nullopt;
}

std::string_view SceneWords::nextText() {
    std::optional<SceneWord> word = next();
    return word ? word->text : std::string_view();
}

bool SceneWords::opensBlock() {
    std::optional<SceneWord> word = next();
    return word && !word->quoted && word->text == "{";
}

// Iterative, so blocks nested ever deeper can't exhaust the stack.
bool SceneWords::skipBlock() {
    uint64_t depth = 1;
    while (std::optional<SceneWord> word = next()) {
        if (word->quoted) {
            continue;
        }
        if (word->text == "{") {
            ++depth;
        } else if (word->text == "}" && --depth == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace meshwright
