// The materials of a scene: the colours its objects are drawn in.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ase/scene.h"
#include "ase/scene_words.h"

namespace meshwright {

// One *MATERIAL or *SUBMATERIAL block.
struct Material {
    int32_t number = 0;               // the number after *MATERIAL / *SUBMATERIAL
    std::optional<std::string> name;  // *MATERIAL_NAME
    std::optional<Colour> diffuse;    // *MATERIAL_DIFFUSE
    // The *BITMAP of its *MAP_DIFFUSE block: the diffuse texture's file name, as the file gives it.
    std::optional<std::string> diffuseMap;
    // *NUMSUBMTLS. Above 0 the material is a multi-material: a face takes sub-material
    // (*MESH_MTLID modulo this count).
    int32_t subMaterialCount = 0;
    // The *SUBMATERIAL blocks, in file order (a multi-material's own; deeper ones are skipped).
    // A later block replaces an earlier one of the same number.
    std::vector<Material> subMaterials;
};

// The materials of the *MATERIAL_LIST blocks, by *MATERIAL number (a later block replaces an
// earlier one of the same number).
using MaterialTable = std::map<int32_t, Material>;

// Reads a *MATERIAL_LIST block, from the word after its keyword up to its closing brace, into
// `materials`. Takes from each material its name, diffuse colour and sub-materials, and passes
// over everything else, nested blocks whole (but for the diffuse map's file name). Never rejects: a
// malformed list gives what its words give (a number that is no number reads as 0), and the end of
// the input ends the list.
void readMaterialList(SceneWords& words, MaterialTable& materials);

// Three reals: "0.5882 0.5882 0.5882" after *MATERIAL_DIFFUSE or *WIREFRAME_COLOR.
Colour readColour(SceneWords& words);

}  // namespace meshwright
