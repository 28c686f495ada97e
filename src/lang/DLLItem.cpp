#include "lang/DLLItem.h"

#include <climits>

#include "lang/String.h"
#include "platform/Module.h"

namespace lang {

DLLItem::DLLItem(std::shared_ptr<platform::Module> module, const String& name) {
    const mentarium_file_resource* resource = module ? module->findFile(name.c_str()) : nullptr;
    if (!resource || resource->size > static_cast<unsigned>(INT_MAX)) return;
    resource_ = std::move(module);
    data_ = resource->data;
    size_ = static_cast<int>(resource->size);
}

DLLItem::~DLLItem() = default;

}  // namespace lang
