#pragma once

#include <cstddef>

namespace platform {

// An Ogg Vorbis stream read piece by piece through libvorbisfile.
class VorbisFile {
public:
    // The bytes the stream is read from, at random access.
    class Input {
    public:
        virtual ~Input() = default;
        // Fewer bytes than asked (0 at the end) when the input runs out.
        virtual size_t read(void* out, size_t bytes) = 0;
        virtual bool seek(long long offset, int whence) = 0;  // whence as for fseek
        virtual long long tell() const = 0;
    };

    // What read returns for a gap in a damaged stream; reading on may go past it.
    static constexpr long kHole = -3;

    // Null when the input holds no Vorbis stream. The input is borrowed and
    // must outlive the file.
    static VorbisFile* open(Input& input);
    ~VorbisFile();
    VorbisFile(const VorbisFile&) = delete;
    VorbisFile& operator=(const VorbisFile&) = delete;

    // Of the link being read; 0 when the stream does not say.
    int channels() const;
    long rate() const;

    // Decodes up to frames frames; channels points at one buffer per channel,
    // valid until the next call. The count, 0 at the end, kHole, or another
    // negative number on an error.
    long read(float**& channels, int frames);
    // Back to the first sample; false when the stream cannot seek.
    bool rewind();

private:
    struct Handle;
    explicit VorbisFile(Handle* handle) : handle_(handle) {}

    Handle* handle_;
};

}  // namespace platform
