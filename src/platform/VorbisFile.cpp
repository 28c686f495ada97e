#include "platform/VorbisFile.h"

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

namespace platform {

static_assert(VorbisFile::kHole == OV_HOLE);

struct VorbisFile::Handle {
    OggVorbis_File file{};
};

namespace {

size_t readBytes(void* out, size_t size, size_t count, void* input) {
    if (size == 0) return 0;
    return static_cast<VorbisFile::Input*>(input)->read(out, size * count) / size;
}

int seekBytes(void* input, ogg_int64_t offset, int whence) {
    return static_cast<VorbisFile::Input*>(input)->seek(offset, whence) ? 0 : -1;
}

long tellBytes(void* input) { return static_cast<long>(static_cast<VorbisFile::Input*>(input)->tell()); }

}  // namespace

VorbisFile* VorbisFile::open(Input& input) {
    auto* handle = new Handle;
    ov_callbacks callbacks{readBytes, seekBytes, nullptr, tellBytes};
    if (ov_open_callbacks(&input, &handle->file, nullptr, 0, callbacks) != 0) {
        // vorbisfile leaves nothing to clear when the open fails.
        delete handle;
        return nullptr;
    }
    return new VorbisFile(handle);
}

VorbisFile::~VorbisFile() {
    ov_clear(&handle_->file);
    delete handle_;
}

int VorbisFile::channels() const {
    vorbis_info* info = ov_info(&handle_->file, -1);
    return info ? info->channels : 0;
}

long VorbisFile::rate() const {
    vorbis_info* info = ov_info(&handle_->file, -1);
    return info ? info->rate : 0;
}

long VorbisFile::read(float**& channels, int frames) {
    int link = 0;
    return ov_read_float(&handle_->file, &channels, frames, &link);
}

bool VorbisFile::rewind() { return ov_pcm_seek(&handle_->file, 0) == 0; }

}  // namespace platform
