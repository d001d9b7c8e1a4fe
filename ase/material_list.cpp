// Reading the material list: names, diffuse colours and sub-materials.
#include "ase/material_list.h"

#include "ase/number_words.h"

namespace meshwright {

namespace {

// The words of a map block after its "{", up to its "}": the file name after *BITMAP.
std::optional<std::string> readBitmapName(SceneWords& words) {
    std::optional<std::string> bitmap;
    while (std::optional<SceneWord> word = words.next()) {
        if (word->quoted) {
            continue;
        }
        if (word->text == "}") {
            break;
        }
        if (word->text == "{") {
            words.skipBlock();
        } else if (word->text == "*BITMAP") {
            bitmap = std::string(words.nextText());
        }
    }
    return bitmap;
}

// The words of a material block after its "{", up to its "}". Sub-materials are read one level
// deep only: deeper ones are skipped whole, so no file can nest the reading past that.
void readMaterialBody(SceneWords& words, Material& material, bool readSubMaterials) {
    while (std::optional<SceneWord> word = words.next()) {
        if (word->quoted) {
            continue;
        }
        const std::string_view text = word->text;
        if (text == "}") {
            return;
        }
        if (text == "{") {
            words.skipBlock();
        } else if (text == "*MATERIAL_NAME") {
            material.name = std::string(words.nextText());
        } else if (text == "*MATERIAL_DIFFUSE") {
            material.diffuse = readColour(words);
        } else if (text == "*MAP_DIFFUSE") {
            if (words.opensBlock()) {
                material.diffuseMap = readBitmapName(words);
            }
        } else if (text == "*NUMSUBMTLS") {
            material.subMaterialCount = parseInt(words.nextText());
        } else if (text == "*SUBMATERIAL" && readSubMaterials) {
            Material subMaterial;
            subMaterial.number = parseInt(words.nextText());
            if (words.opensBlock()) {
                readMaterialBody(words, subMaterial, false);
                material.subMaterials.push_back(std::move(subMaterial));
            }
        }
    }
}

}  // namespace

Colour readColour(SceneWords& words) {
    Colour colour;
    colour.x = parseReal(words.nextText());
    colour.y = parseReal(words.nextText());
    colour.z = parseReal(words.nextText());
    return colour;
}

void readMaterialList(SceneWords& words, MaterialTable& materials) {
    if (!words.opensBlock()) {
        return;
    }
    while (std::optional<SceneWord> word = words.next()) {
        if (word->quoted) {
            continue;
        }
        if (word->text == "}") {
            return;
        }
        if (word->text == "{") {
            words.skipBlock();
        } else if (word->text == "*MATERIAL") {
            Material material;
            material.number = parseInt(words.nextText());
            if (words.opensBlock()) {
                readMaterialBody(words, material, true);
                materials.insert_or_assign(material.number, std::move(material));
            }
        }
    }
}

}  // namespace meshwright
