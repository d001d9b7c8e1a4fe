// The header of kind 5: for programs that upload a mesh once and draw it with shaders.
#include "codegen/buffer_header.h"

#include <charconv>
#include <string_view>

#include "codegen/c_text.h"
#include "codegen/float_literal.h"
#include "codegen/number_text.h"

namespace meshwright {
namespace {

// The GL enum values, so the header needs no GL header of its own.
constexpr std::string_view kUnsignedShortType = "0x1403 /* GL_UNSIGNED_SHORT */";
constexpr std::string_view kUnsignedIntType = "0x1405 /* GL_UNSIGNED_INT */";

struct Layout {
    int floatsPerVertex = 3;
    int normalOffset = -1;    // bytes; -1 when the vertices have no normal
    int texCoordOffset = -1;  // bytes; -1 when they have no texture coordinate
    bool shortIndices = true;
};

Layout layoutOf(const VertexBuffers& buffers) {
    Layout layout;
    if (buffers.hasNormals) {
        layout.normalOffset = 4 * layout.floatsPerVertex;
        layout.floatsPerVertex += 3;
    }
    if (buffers.hasTexCoords) {
        layout.texCoordOffset = 4 * layout.floatsPerVertex;
        layout.floatsPerVertex += 2;
    }
    layout.shortIndices = buffers.vertices.size() <= 65536;
    return layout;
}

void putFloat(Output& out, float value) {
    char text[kFloatLiteralCapacity];
    out.putPlain({text, size_t(formatFloatLiteral(value, text) - text)});
}

void putFixed3(Output& out, double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    out.putPlain({text, size_t(result.ptr - text)});
}

void putTriangles(Output& out, uint64_t count) {
    out.putInt(int64_t(count));
    out.putText(count == 1 ? " triangle" : " triangles");
}

void putComment(const VertexBuffers& buffers, const std::vector<PartLabel>& labels,
                const HeaderNames& names, const Layout& layout, Output& out) {
    out.putText("// ");
    out.putText(cStringLiteral(names.sourceName));
    out.putText(" as OpenGL vertex and index buffers, written by meshwright.\n// ");
    out.putInt(int64_t(buffers.parts.size()));
    out.putText(buffers.parts.size() == 1 ? " part, " : " parts, ");
    out.putInt(int64_t(buffers.vertices.size()));
    out.putText(" vertices, ");
    out.putInt(int64_t(buffers.indices.size()));
    out.putText(" indices (");
    putTriangles(out, buffers.indices.size() / 3);
    out.putText(layout.shortIndices ? ") as unsigned short.\n" : ") as unsigned int.\n");
    out.putText("// Vertex cache misses per triangle (ACMR, 16 entries): ");
    putFixed3(out, buffers.acmrInFileOrder);
    out.putText(" in file order, ");
    putFixed3(out, buffers.acmrReordered);
    out.putText(" reordered.\n// Each vertex: position x, y, z");
    out.putText(buffers.hasNormals ? ", normal x, y, z" : "");
    out.putText(buffers.hasTexCoords ? ", texture u, v" : "");
    out.putText(".\n");
    for (size_t p = 0; p < buffers.parts.size(); ++p) {
        out.putText("// Part ");
        out.putInt(int64_t(p + 1));
        out.putText(": ");
        out.putText(cStringLiteral(labels[p].name));
        if (labels[p].material) {
            out.putText(" material ");
            out.putText(cStringLiteral(*labels[p].material));
        }
        out.putText(", ");
        putTriangles(out, buffers.parts[p].indexCount / 3);
        out.putText(".\n");
    }
    out.putChar('\n');
}

void putDefine(Output& out, const std::string& prefix, std::string_view name, int64_t value) {
    out.putText("#define ");
    out.putText(prefix);
    out.putText(name);
    // A negative value in parentheses, so "x-NAME" can't read as "x--1".
    out.putText(value < 0 ? " (" : " ");
    out.putInt(value);
    out.putText(value < 0 ? ")\n" : "\n");
}

void putConstants(const VertexBuffers& buffers, const std::string& prefix, const Layout& layout,
                  Output& out) {
    putDefine(out, prefix, "_VERTEX_COUNT", int64_t(buffers.vertices.size()));
    putDefine(out, prefix, "_INDEX_COUNT", int64_t(buffers.indices.size()));
    putDefine(out, prefix, "_PART_COUNT", int64_t(buffers.parts.size()));
    putDefine(out, prefix, "_FLOATS_PER_VERTEX", layout.floatsPerVertex);
    putDefine(out, prefix, "_VERTEX_STRIDE", 4 * layout.floatsPerVertex);
    putDefine(out, prefix, "_POSITION_OFFSET", 0);
    putDefine(out, prefix, "_HAS_NORMALS", buffers.hasNormals);
    putDefine(out, prefix, "_NORMAL_OFFSET", layout.normalOffset);
    putDefine(out, prefix, "_HAS_TEXCOORDS", buffers.hasTexCoords);
    putDefine(out, prefix, "_TEXCOORD_OFFSET", layout.texCoordOffset);
    out.putText("#define ");
    out.putText(prefix);
    out.putText("_INDEX_TYPE ");
    out.putText(layout.shortIndices ? kUnsignedShortType : kUnsignedIntType);
    out.putChar('\n');
    putDefine(out, prefix, "_INDEX_SIZE", layout.shortIndices ? 2 : 4);
}

void putFloatList(Output& out, const float* values, int count) {
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            out.putText(", ");
        }
        putFloat(out, values[i]);
    }
}

void putBounds(const VertexBuffers& buffers, const std::string& prefix, Output& out) {
    float low[3] = {0.0f, 0.0f, 0.0f};
    float high[3] = {0.0f, 0.0f, 0.0f};
    for (size_t v = 0; v < buffers.vertices.size(); ++v) {
        const Vec3f& p = buffers.vertices[v].position;
        const float coordinates[3] = {p.x, p.y, p.z};
        for (int axis = 0; axis < 3; ++axis) {
            if (v == 0 || coordinates[axis] < low[axis]) {
                low[axis] = coordinates[axis];
            }
            if (v == 0 || coordinates[axis] > high[axis]) {
                high[axis] = coordinates[axis];
            }
        }
    }
    out.putText("\nstatic const float ");
    out.putText(prefix);
    out.putText("_bounds_min[3] = {");
    putFloatList(out, low, 3);
    out.putText("};\nstatic const float ");
    out.putText(prefix);
    out.putText("_bounds_max[3] = {");
    putFloatList(out, high, 3);
    out.putText("};\n");
}

void putPartRecords(const VertexBuffers& buffers, const std::vector<PartLabel>& labels,
                    const std::string& prefix, Output& out) {
    out.putText("\ntypedef struct ");
    out.putText(prefix);
    out.putText("_part {\n");
    out.putText("\tconst char* name; /* the object's */\n");
    out.putText("\tconst char* material; /* the sub-material's, or 0 for the whole object */\n");
    out.putText("\tunsigned int first_index; /* where the part starts in the indices */\n");
    out.putText("\tunsigned int index_count;\n");
    out.putText("\tint has_color;\n");
    out.putText("\tfloat color[3]; /* r, g, b; zeros when has_color is 0 */\n");
    out.putText("\tconst char* diffuse_map; /* the diffuse texture's file, or 0 */\n");
    out.putText("} ");
    out.putText(prefix);
    out.putText("_part;\n\nstatic const ");
    out.putText(prefix);
    out.putText("_part ");
    out.putText(prefix);
    out.putText("_parts[");
    out.putInt(int64_t(buffers.parts.size()));
    out.putText("] = {\n");
    for (size_t p = 0; p < buffers.parts.size(); ++p) {
        const PartLabel& label = labels[p];
        const Vec3f colour = label.colour.value_or(Vec3f{});
        const float rgb[3] = {colour.x, colour.y, colour.z};
        out.putText("\t{");
        out.putText(cStringLiteral(label.name));
        out.putText(", ");
        out.putText(label.material ? cStringLiteral(*label.material) : "0");
        out.putText(", ");
        out.putInt(int64_t(buffers.parts[p].firstIndex));
        out.putText(", ");
        out.putInt(int64_t(buffers.parts[p].indexCount));
        out.putText(label.colour ? ", 1, {" : ", 0, {");
        putFloatList(out, rgb, 3);
        out.putText("}, ");
        out.putText(label.diffuseMap.empty() ? "0" : cStringLiteral(label.diffuseMap));
        out.putText("},\n");
    }
    out.putText("};\n");
}

// One vertex per line, its numbers formatted into one piece of text.
void putVertices(const VertexBuffers& buffers, const std::string& prefix, const Layout& layout,
                 Output& out) {
    out.putText("\nstatic const float ");
    out.putText(prefix);
    out.putText("_vertices[");
    out.putInt(int64_t(buffers.vertices.size()) * layout.floatsPerVertex);
    out.putText("] = {\n");
    char line[8 * (kFloatLiteralCapacity + 1) + 1];
    for (const CornerValues& vertex : buffers.vertices) {
        float values[8] = {vertex.position.x, vertex.position.y, vertex.position.z};
        int count = 3;
        if (buffers.hasNormals) {
            values[count++] = vertex.normal.x;
            values[count++] = vertex.normal.y;
            values[count++] = vertex.normal.z;
        }
        if (buffers.hasTexCoords) {
            values[count++] = vertex.u;
            values[count++] = vertex.v;
        }
        char* end = line;
        *end++ = '\t';
        for (int i = 0; i < count; ++i) {
            end = formatFloatLiteral(values[i], end);
            *end++ = ',';
        }
        out.putPlain({line, size_t(end - line)});
        out.putChar('\n');
    }
    out.putText("};\n");
}

void putIndices(const VertexBuffers& buffers, const std::string& prefix, const Layout& layout,
                Output& out) {
    out.putText(layout.shortIndices ? "\nstatic const unsigned short "
                                    : "\nstatic const unsigned int ");
    out.putText(prefix);
    out.putText("_indices[");
    out.putInt(int64_t(buffers.indices.size()));
    out.putText("] = {\n");
    char line[3 * 11 + 1];
    for (size_t i = 0; i + 2 < buffers.indices.size(); i += 3) {
        char* end = line;
        *end++ = '\t';
        for (size_t k = 0; k < 3; ++k) {
            end = formatInt(buffers.indices[i + k], end);
            *end++ = ',';
        }
        out.putPlain({line, size_t(end - line)});
        out.putChar('\n');
    }
    out.putText("};\n");
}

}  // namespace

void writeBufferHeader(const VertexBuffers& buffers, const std::vector<PartLabel>& labels,
                       const HeaderNames& names, Output& out) {
    const Layout layout = layoutOf(buffers);
    const std::string& prefix = names.prefix;
    putComment(buffers, labels, names, layout, out);
    out.putText("#ifndef ");
    out.putText(prefix);
    out.putText("_BUFFERS_H\n#define ");
    out.putText(prefix);
    out.putText("_BUFFERS_H\n\n");
    putConstants(buffers, prefix, layout, out);
    putBounds(buffers, prefix, out);
    putPartRecords(buffers, labels, prefix, out);
    putVertices(buffers, prefix, layout, out);
    putIndices(buffers, prefix, layout, out);
    out.putText("\n#endif\n");
}

}  // namespace meshwright
