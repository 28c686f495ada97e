#pragma once

/* The "FILE" resources of a resource module: a shared object exports
 *   const struct mentarium_file_resource* mentarium_file_resources(unsigned* count);
 * answering its table of named byte blocks, which live as long as the module. */

#ifdef __cplusplus
extern "C" {
#endif

struct mentarium_file_resource {
    const char* name;
    const unsigned char* data;
    unsigned size;
};

typedef const struct mentarium_file_resource* (*mentarium_file_resources_fn)(unsigned* count);

#define MENTARIUM_FILE_RESOURCES_SYMBOL "mentarium_file_resources"

#ifdef __cplusplus
}
#endif
