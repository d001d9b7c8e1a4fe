/* Includes one generated header, as a C or C++ program would, and hands its buffers to the host.
   Compiled for each header with MESHWRIGHT_HEADER naming the file and MESHWRIGHT_PREFIX its
   names' prefix. */
#include "header_view.h"

#include MESHWRIGHT_HEADER

#define MESHWRIGHT_JOIN2(a, b) a##b
#define MESHWRIGHT_JOIN(a, b) MESHWRIGHT_JOIN2(a, b)
#define NAMED(suffix) MESHWRIGHT_JOIN(MESHWRIGHT_PREFIX, suffix)

static struct HeaderPartView parts[NAMED(_PART_COUNT)];
static struct HeaderView view;

const struct HeaderView* headerView(void) {
    int p;
    for (p = 0; p < NAMED(_PART_COUNT); ++p) {
        parts[p].first_index = NAMED(_parts)[p].first_index;
        parts[p].index_count = NAMED(_parts)[p].index_count;
        parts[p].has_color = NAMED(_parts)[p].has_color;
        parts[p].color[0] = NAMED(_parts)[p].color[0];
        parts[p].color[1] = NAMED(_parts)[p].color[1];
        parts[p].color[2] = NAMED(_parts)[p].color[2];
    }
    view.vertices = NAMED(_vertices);
    view.vertex_count = NAMED(_VERTEX_COUNT);
    view.floats_per_vertex = NAMED(_FLOATS_PER_VERTEX);
    view.vertex_stride = NAMED(_VERTEX_STRIDE);
    view.indices = NAMED(_indices);
    view.index_count = NAMED(_INDEX_COUNT);
    view.index_type = NAMED(_INDEX_TYPE);
    view.index_size = NAMED(_INDEX_SIZE);
    view.part_count = NAMED(_PART_COUNT);
    view.parts = parts;
    return &view;
}
