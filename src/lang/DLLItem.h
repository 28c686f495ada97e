#pragma once

#include <cstdint>
#include <memory>

#include "lang/ResourceItem.h"

namespace platform {
class Module;
}

namespace lang {

class String;

// A "FILE" resource of a loaded module. It owns no copy of the bytes; it keeps
// the module loaded for as long as it lives.
class DLLItem : public ResourceItem {
public:
    // Finds the resource; getData() is null when the module has none of that name.
    DLLItem(std::shared_ptr<platform::Module> module, const String& name);
    DLLItem(const DLLItem&) = delete;
    DLLItem& operator=(const DLLItem&) = delete;
    ~DLLItem() override;
    MENTARIUM_CLASS(DLLItem, ResourceItem)

    const uint8_t* getData() const override { return data_; }
    int getLength() const override { return size_; }

private:
    std::shared_ptr<platform::Module> resource_;
    const uint8_t* data_ = nullptr;
    int size_ = 0;
};

}  // namespace lang
