/* What the core-profile host needs of a generated header, in plain C so that the header is
   compiled as its C users compile it. */
#ifndef MESHWRIGHT_HEADER_VIEW_H
#define MESHWRIGHT_HEADER_VIEW_H

#ifdef __cplusplus
extern "C" {
#endif

struct HeaderPartView {
    unsigned int first_index;
    unsigned int index_count;
    int has_color;
    float color[3];
};

struct HeaderView {
    const float* vertices;
    int vertex_count;
    int floats_per_vertex;
    int vertex_stride;
    const void* indices;
    int index_count;
    int index_type; /* the GL enum value */
    int index_size;
    int part_count;
    const struct HeaderPartView* parts;
};

/* The view of the header the module was compiled with. */
const struct HeaderView* headerView(void);

#ifdef __cplusplus
}
#endif

#endif
