// Kind 5 for one mesh: normals chosen, buffers built, header written.
#include "ase/section_readers.h"
#include "codegen/writers.h"

namespace meshwright {

void writeBuffers(MeshData& mesh, const BufferOptions& options, Output& out) {
    if (!mesh.faces || mesh.faces->empty()) {
        throw MeshError("the mesh has no faces, so the header would have nothing to draw");
    }
    if (!mesh.vertices) {
        throw MeshError("the mesh has faces but no vertex list");
    }
    chooseNormals(mesh, options.normals);
    VertexBufferBuilder builder;
    builder.addPart(mesh);
    const std::string& source = options.names.sourceName;
    const PartLabel label{source.substr(0, source.size() - std::min<size_t>(4, source.size())),
                          std::nullopt, ""};
    writeBufferHeader(builder.finish(), {label}, options.names, out);
}

}  // namespace meshwright
