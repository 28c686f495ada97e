#pragma once

#include <cstdint>

#include "lang/ResourceItem.h"

namespace lang {

// An item of an archive file: where its bytes lie, and the bytes once loaded.
class FileItem : public ResourceItem {
public:
    FileItem(uint32_t offset, int length);
    FileItem(const FileItem&) = delete;
    FileItem& operator=(const FileItem&) = delete;
    ~FileItem() override;
    MENTARIUM_CLASS(FileItem, ResourceItem)

    const uint8_t* getData() const override { return data_; }
    int getLength() const override { return length_; }

    uint32_t getOffset() const { return offset_; }
    bool isLoaded() const { return data_ != nullptr; }

private:
    friend class ResourceFileHeader;

    uint8_t* data_ = nullptr;
    int length_;
    uint32_t offset_;
};

}  // namespace lang
