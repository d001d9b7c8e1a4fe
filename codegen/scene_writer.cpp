// The frame around each part of a scene; the part itself is the kind writer's.
#include "codegen/scene_writer.h"

#include <string>
#include <string_view>

#include "codegen/array_text.h"

namespace meshwright {

namespace {

// A name in a comment: a compiler may take a lone CR or another control character for a line
// end, which would turn the rest of the name into code.
void putName(Output& out, std::string_view name) {
    std::string text(name);
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127) {
            c = '?';
        }
    }
    out.putChar('"');
    out.putPlain(text);
    out.putChar('"');
}

void putPart(const SceneObject& object, const ScenePart& part, const KindWriter& writer,
             Output& out) {
    out.putText("\t//object ");
    putName(out, object.name);
    if (part.materialName) {
        out.putText(" material ");
        putName(out, *part.materialName);
    }
    out.putText("\n\t{\n");
    if (part.colour) {
        out.putText("\tglColor3f(");
        putTriple(out, *part.colour);
        out.putText(");\n");
    }
    if (part.faces) {
        writer.write(partMesh(object.mesh, *part.faces), out);
    } else {
        writer.write(object.mesh, out);
    }
    if (!writer.endsWithLineEnd) {
        out.putChar('\n');
    }
    out.putText("\t}\n");
}

}  // namespace

void writeSceneObject(const SceneObject& object, const KindWriter& writer, Output& out) {
    for (const ScenePart& part : object.parts) {
        putPart(object, part, writer, out);
    }
}

}  // namespace meshwright
