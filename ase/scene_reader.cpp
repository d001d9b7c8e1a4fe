// The scene's top level, its object blocks, and each object's parts by material.
#include "ase/scene_reader.h"

#include <map>
#include <string>
#include <utility>

#include "ase/number_words.h"
#include "ase/section_readers.h"

namespace meshwright {

namespace {

[[noreturn]] void failObject(const std::string& label, std::string_view reason) {
    throw MeshError(label + ": " + std::string(reason));
}

int32_t subMaterialOf(int32_t materialId, int32_t subMaterialCount) {
    const int64_t remainder = int64_t{materialId} % subMaterialCount;
    return static_cast<int32_t>(remainder < 0 ? remainder + subMaterialCount : remainder);
}

// One part per sub-material the faces use, in order of sub-material number.
std::vector<ScenePart> multiMaterialParts(const MeshData& mesh, const Material& material,
                                          const std::optional<Colour>& wireframe) {
    // Without a face list there is no *MESH_MTLID: every face takes the first sub-material.
    std::map<int32_t, std::vector<int32_t>> facesBySubMaterial;
    for (int32_t face = 0; face < mesh.faceCount; ++face) {
        const int32_t id = mesh.materialIds ? (*mesh.materialIds)[size_t(face)] : 0;
        facesBySubMaterial[subMaterialOf(id, material.subMaterialCount)].push_back(face);
    }
    std::map<int32_t, const Material*> subMaterials;  // the last block of each number
    for (const Material& subMaterial : material.subMaterials) {
        subMaterials[subMaterial.number] = &subMaterial;
    }
    const bool onePart = facesBySubMaterial.size() == 1;
    std::vector<ScenePart> parts;
    for (auto& [number, faces] : facesBySubMaterial) {
        const auto found = subMaterials.find(number);
        const Material* subMaterial = found == subMaterials.end() ? nullptr : found->second;
        ScenePart part;
        part.materialName = subMaterial && subMaterial->name
                                ? *subMaterial->name
                                : "submaterial " + std::to_string(number);
        part.colour = subMaterial && subMaterial->diffuse ? subMaterial->diffuse : wireframe;
        part.diffuseMap = subMaterial ? subMaterial->diffuseMap : std::nullopt;
        if (!onePart) {
            part.faces = std::move(faces);
        }
        parts.push_back(std::move(part));
    }
    return parts;
}

}  // namespace

// What an object block has given so far.
struct SceneReader::ObjectDraft {
    int32_t number = 0;
    std::optional<std::string> name;
    std::optional<MeshData> mesh;
    std::optional<int32_t> materialRef;
    std::optional<Colour> wireframe;

    // How messages name the object.
    std::string label() const {
        return name ? "object \"" + *name + "\"" : "object " + std::to_string(number);
    }
};

SceneReader::SceneReader(ByteSource& source, size_t blockSize, const ReadOptions& options)
    : source_(source),
      blockSize_(blockSize),
      options_(options),
      reader_(source, blockSize),
      words_(reader_) {}

std::optional<SceneObject> SceneReader::nextObject() {
    while (!finished_) {
        std::optional<SceneWord> word = words_.next();
        if (!word) {
            finished_ = true;
            return objectsSeen_ == 0 ? readWholeFile() : std::nullopt;
        }
        if (word->quoted) {
            continue;
        }
        const std::string_view text = word->text;
        if (text == "*GEOMOBJECT") {
            if (std::optional<SceneObject> object = readObject()) {
                return object;
            }
        } else if (text == "*MATERIAL_LIST") {
            readMaterialList(words_, materials_);
        } else if (text == "*GROUP") {
            openGroup();
        } else if (text == "{") {
            words_.skipBlock();
        } else if (text == "}" && groupDepth_ > 0) {
            --groupDepth_;
        }
    }
    return std::nullopt;
}

// "*GROUP "name" {": a group's objects are objects of the scene like any other.
void SceneReader::openGroup() {
    std::optional<SceneWord> word = words_.next();
    if (word && word->quoted) {
        word = words_.next();
    }
    if (word && !word->quoted && word->text == "{") {
        ++groupDepth_;
    }
}

std::optional<SceneObject> SceneReader::readObject() {
    if (!words_.opensBlock()) {
        return std::nullopt;
    }
    ObjectDraft draft;
    draft.number = ++objectsSeen_;
    bool closed = false;
    while (std::optional<SceneWord> word = words_.next()) {
        if (word->quoted) {
            continue;
        }
        if (word->text == "}") {
            closed = true;
            break;
        }
        if (!readObjectWord(word->text, draft)) {
            break;
        }
    }
    if (!closed) {
        failObject(draft.label(), "the input ends inside the object");
    }
    if (!draft.mesh || draft.mesh->faceCount == 0) {
        return std::nullopt;
    }
    return finishObject(std::move(draft));
}

// Takes one word of the object block's own level; false when the input ended inside it.
bool SceneReader::readObjectWord(std::string_view word, ObjectDraft& draft) {
    if (word == "{") {
        return words_.skipBlock();  // *NODE_TM, animations: nothing to draw
    }
    if (word == "*NODE_NAME") {
        std::optional<SceneWord> name = words_.next();
        if (!name) {
            return false;
        }
        if (!draft.name) {
            draft.name = std::string(name->text);
        }
    } else if (word == "*MESH") {
        readObjectMesh(draft);
    } else if (word == "*MATERIAL_REF") {
        draft.materialRef = parseInt(words_.nextText());
    } else if (word == "*WIREFRAME_COLOR") {
        draft.wireframe = readColour(words_);
    }
    return true;
}

void SceneReader::readObjectMesh(ObjectDraft& draft) {
    if (!words_.opensBlock()) {
        failObject(draft.label(), "*MESH is not followed by its block's \"{\"");
    }
    reader_.beginBlock();
    try {
        draft.mesh = readMesh(reader_, options_);
        meshFound_ = meshFound_ || draft.mesh->sectionFound;
    } catch (const MeshError& error) {
        failObject(draft.label(), error.what());
    }
    if (!reader_.endBlock()) {
        failObject(draft.label(), "the input ends inside the object's mesh");
    }
}

SceneObject SceneReader::finishObject(ObjectDraft&& draft) const {
    SceneObject object;
    object.name = draft.name ? std::move(*draft.name) : draft.label();
    object.mesh = std::move(*draft.mesh);
    const Material* material = nullptr;
    if (draft.materialRef) {
        const auto found = materials_.find(*draft.materialRef);
        material = found == materials_.end() ? nullptr : &found->second;
    }
    if (material && material->subMaterialCount > 0) {
        object.parts = multiMaterialParts(object.mesh, *material, draft.wireframe);
    } else {
        ScenePart whole;
        whole.colour = material && material->diffuse ? material->diffuse : draft.wireframe;
        whole.diffuseMap = material ? material->diffuseMap : std::nullopt;
        object.parts.push_back(std::move(whole));
    }
    return object;
}

// A file of one mesh, not wrapped in an object block: read as without scenes, whole.
std::optional<SceneObject> SceneReader::readWholeFile() {
    if (!source_.rewind()) {
        throw MeshError(
            "the file has no *GEOMOBJECT block, and a pipe can't be read a second time to take "
            "the whole file as one mesh; convert it without --scene");
    }
    TokenReader whole(source_, blockSize_);
    MeshData mesh = readMesh(whole, options_);
    meshFound_ = mesh.sectionFound;
    if (mesh.faceCount == 0) {
        return std::nullopt;
    }
    SceneObject object;
    object.name = "object 1";
    object.mesh = std::move(mesh);
    object.parts.emplace_back();
    return object;
}

}  // namespace meshwright
