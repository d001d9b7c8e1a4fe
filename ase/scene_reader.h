// Reads a scene: every object of an ASE file, one at a time, with its name and colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "ase/byte_source.h"
#include "ase/material_list.h"
#include "ase/scene.h"
#include "ase/scene_words.h"
#include "ase/section_readers.h"
#include "ase/token_reader.h"

namespace meshwright {

// Walks the file's top level. Each *GEOMOBJECT block (also inside a *GROUP block) is one object:
//  - its mesh is read by readMesh from the words of its *MESH { ... } block alone, so nothing
//    carries over between objects; its *NODE_NAME (quoted, blanks kept) names it;
//  - *MATERIAL_REF n picks material n of the *MATERIAL_LIST read before it. A multi-material
//    splits the object into one part per sub-material its faces use (*MESH_MTLID modulo
//    *NUMSUBMTLS), by sub-material number, each coloured by its sub-material's diffuse colour;
//    any other material colours the whole object with its diffuse colour. Where the material
//    gives no colour, the object's *WIREFRAME_COLOR does, when it has one;
//  - an object without a mesh, or whose mesh has no faces (helpers, cameras, lights, shapes), is
//    passed over; so are the blocks of its own it holds (*NODE_TM, animations, nested meshes).
// Every other top-level block is passed over whole. A file with no *GEOMOBJECT block at all is
// read again from its start by readMesh as one object, "object 1", without colour.
// Memory holds one object and the material list, never the whole scene.
class SceneReader {
  public:
    // Reads `source` from its start; `blockSize` as for TokenReader. Each mesh is read with
    // `options` (threads, and when a list is long enough to be read on two).
    explicit SceneReader(ByteSource& source, size_t blockSize = kInputBlockSize,
                         const ReadOptions& options = {});

    // The next object with faces, in file order; nullopt after the last.
    // Throws MeshError for an object's mesh that readMesh rejects, its message opened by the
    // object's name ("object \"Box02\": face 1 uses vertex 9, but the mesh has 8 vertices"), for
    // input that ends inside an object, and for a file without objects that can't be read a
    // second time (a pipe). Throws ReadError when the input can't be read.
    std::optional<SceneObject> nextObject();

    // Whether a mesh section was found so far, in an object's mesh block or, for a file without
    // objects, anywhere: false after the last object means the file holds no mesh at all.
    bool meshFound() const { return meshFound_; }

  private:
    struct ObjectDraft;

    std::optional<SceneObject> readObject();
    bool readObjectWord(std::string_view word, ObjectDraft& draft);
    void readObjectMesh(ObjectDraft& draft);
    void openGroup();
    SceneObject finishObject(ObjectDraft&& draft) const;
    std::optional<SceneObject> readWholeFile();

    ByteSource& source_;
    size_t blockSize_;
    ReadOptions options_;
    TokenReader reader_;
    SceneWords words_;
    MaterialTable materials_;
    int32_t objectsSeen_ = 0;
    uint64_t groupDepth_ = 0;  // *GROUP blocks open around the current position
    bool finished_ = false;
    bool meshFound_ = false;
};

}  // namespace meshwright
