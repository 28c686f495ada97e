/* A resource module for the chain tests: two "FILE" resources. */
#include "platform/ModuleResources.h"

static const unsigned char datfile[] = "from module";
static const unsigned char only[] = {1, 2, 3};

static const struct mentarium_file_resource table[] = {
    {"datfile", datfile, sizeof datfile - 1},
    {"only_in_module", only, sizeof only},
};

__attribute__((visibility("default"))) const struct mentarium_file_resource* mentarium_file_resources(unsigned* count) {
    *count = sizeof table / sizeof table[0];
    return table;
}
