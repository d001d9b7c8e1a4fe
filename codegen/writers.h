// The writers: each turns a checked, Y-up MeshData (see readMesh) into one kind of code.
// Each relies on the checks: every index it follows lies inside its array. Builds without NDEBUG
// (the sanitizer and fuzzer presets) assert it.
#pragma once

#include <cstdint>

#include "ase/mesh.h"
#include "ase/scene_reader.h"
#include "codegen/buffer_header.h"
#include "codegen/output.h"
#include "codegen/vertex_buffers.h"

namespace meshwright {

// Kind 1: glBegin(GL_TRIANGLES) ... glEnd(); one commented block of calls per face, flat or smooth
// by the face's own smoothing group. Ends with "glEnd();" and no line end.
void writeDisplayList(const MeshData& mesh, Output& out);

// Kind 2: Varray / Narray / TCarray with one entry per face corner, drawn with glDrawArrays.
void writeVertexArray(const MeshData& mesh, Output& out);

// Kind 3: index array Farray and one entry per vertex in Varray / Narray / VNarray / TCarray,
// drawn with glDrawElements. The index type is the smallest of GLubyte, GLushort and GLuint that
// holds every index.
void writeIndexedVertexArray(const MeshData& mesh, Output& out);

// Kind 4: every face corner's exact position, normal (the face normal for a face without a
// smoothing group, its corner normal otherwise) and texture coordinate, present ones only; corners
// equal bit for bit share one vertex, numbered in order of first use; drawn with glDrawElements.
void writeExactIndexedArray(const MeshData& mesh, Output& out);

// A kind's writer, and how its text ends, for those who frame it.
struct KindWriter {
    void (*write)(const MeshData& mesh, Output& out);
    bool endsWithLineEnd;  // false: the last line has no line end (kind 1's "glEnd();")
};

// The writer of `kind` (1 to 4); nullptr for any other number.
const KindWriter* kindWriter(int32_t kind);

struct BufferOptions {
    HeaderNames names;
    NormalsSource normals = NormalsSource::kFileElseSmoothing;
};

// Kind 5: a header of static buffers (see writeBufferHeader) drawing the mesh as one part named
// after the source file, its normals chosen by `options.normals` (the mesh's normals are
// replaced accordingly). Throws MeshError for a mesh without faces, for faces without a vertex
// list, and for what VertexBufferBuilder::addPart and makeSmoothingNormals reject.
void writeBuffers(MeshData& mesh, const BufferOptions& options, Output& out);

// Kind 5 for a scene: every part of every object of `scene`, in file order, in one pair of
// buffers, each part welded on its own, each object's normals chosen by `options.normals`. The
// draw records name the object and, for a multi-material's part, the sub-material, with the
// part's colour and diffuse texture. Objects are read one at a time; the buffers grow with the
// scene. Throws MeshError for a scene without an object with faces, and for what the scene reader
// rejects or writeBuffers would reject in an object (the message then names the object).
void writeSceneBuffers(SceneReader& scene, const BufferOptions& options, Output& out);

}  // namespace meshwright
