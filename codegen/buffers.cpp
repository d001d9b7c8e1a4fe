// Kind 5 for one mesh or a scene: normals chosen, buffers built part by part, header written.
#include "ase/scene.h"
#include "ase/section_readers.h"
#include "codegen/writers.h"

namespace meshwright {
namespace {

constexpr const char* kNothingToDraw =
    "the mesh has no faces, so the header would have nothing to draw";

// An object's normals chosen and its parts added, a rejection naming the object as the scene
// reader names it.
void addObject(SceneObject& object, NormalsSource normals, VertexBufferBuilder& builder,
               std::vector<PartLabel>& labels) {
    try {
        chooseNormals(object.mesh, normals);
        for (const ScenePart& part : object.parts) {
            if (part.faces) {
                builder.addPart(partMesh(object.mesh, *part.faces));
            } else {
                builder.addPart(object.mesh);  // no copy of a whole object's mesh
            }
            labels.push_back(
                {object.name, part.materialName, part.colour, part.diffuseMap.value_or("")});
        }
    } catch (const MeshError& error) {
        throw MeshError("object \"" + object.name + "\": " + error.what());
    }
}

}  // namespace

void writeBuffers(MeshData& mesh, const BufferOptions& options, Output& out) {
    if (!mesh.faces || mesh.faces->empty()) {
        throw MeshError(kNothingToDraw);
    }
    if (!mesh.vertices) {
        throw MeshError("the mesh has faces but no vertex list");
    }
    chooseNormals(mesh, options.normals);
    VertexBufferBuilder builder(out.threads());
    builder.addPart(mesh);
    const std::string& source = options.names.sourceName;
    const PartLabel label{source.substr(0, source.size() - std::min<size_t>(4, source.size())),
                          std::nullopt, std::nullopt, ""};
    writeBufferHeader(builder.finish(), {label}, options.names, out);
}

void writeSceneBuffers(SceneReader& scene, const BufferOptions& options, Output& out) {
    VertexBufferBuilder builder(out.threads());
    std::vector<PartLabel> labels;
    while (std::optional<SceneObject> object = scene.nextObject()) {
        addObject(*object, options.normals, builder, labels);
    }
    if (labels.empty()) {
        throw MeshError(
            "the scene has no object with faces, so the header would have nothing "
            "to draw");
    }
    writeBufferHeader(builder.finish(), labels, options.names, out);
}

}  // namespace meshwright
