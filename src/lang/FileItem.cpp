#include "lang/FileItem.h"

namespace lang {

FileItem::FileItem(uint32_t offset, int length) : length_(length), offset_(offset) {}

FileItem::~FileItem() { delete[] data_; }

}  // namespace lang
