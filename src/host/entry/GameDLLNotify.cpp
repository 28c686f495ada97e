// The one symbol libmentarium.so exports.
#include "host/GameHost.h"
#include "mentarium/host.h"

extern "C" __attribute__((visibility("default"))) int GameDLLNotify(int code, intptr_t* block) {
    return host::GameHost::notify(code, block);
}
