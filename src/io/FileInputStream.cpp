#include "io/FileInputStream.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cstring>

#include "lang/Exception.h"
#include "platform/SearchPath.h"

namespace io {

namespace {

lang::String joinPath(const lang::String& directory, const lang::String& name) {
    if (directory.isEmpty() || directory.endsWith("\\") || directory.endsWith("/")) return directory + name;
    lang::String path(directory, directory.length() + name.length() + 2);
    path.append('\\');
    path.append(name);
    return path;
}

}  // namespace

FileInputStream::FileInputStream(const lang::String& directory, const lang::String& name) {
    open(joinPath(directory, name));
}

FileInputStream::FileInputStream(const lang::String& path) { open(path); }

FileInputStream::FileInputStream(const char* path) { open(lang::String(path)); }

FileInputStream::~FileInputStream() { close(); }

void FileInputStream::open(const lang::String& path) {
    std::string native = platform::nativePath(path.c_str());
    file_ = native.empty() ? nullptr : std::fopen(native.c_str(), "rb");
    // fopen accepts a directory on Linux, which then fails every read: refuse it here.
    struct stat info;
    if (file_ && (fstat(fileno(file_), &info) != 0 || S_ISDIR(info.st_mode))) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!file_) throw new lang::Exception(lang::String("Error Opening ") + path);
}

int FileInputStream::read(void* buffer, int offset, int length) {
    if (!file_ || length <= 0) return 0;
    return static_cast<int>(std::fread(static_cast<char*>(buffer) + offset, 1, static_cast<size_t>(length), file_));
}

int FileInputStream::read() {
    if (!file_) return -1;
    int c = std::fgetc(file_);
    if (c == EOF && std::ferror(file_)) {
        std::clearerr(file_);
        throw new lang::Exception("File error");
    }
    return c == EOF ? -1 : c;
}

void FileInputStream::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

void FileInputStream::reset() {
    if (file_) std::fseek(file_, 0, SEEK_SET);
}

int FileInputStream::skip(int n) {
    if (!file_) return 0;
    off_t before = ftello(file_);
    fseeko(file_, n, SEEK_CUR);
    return static_cast<int>(ftello(file_) - before);
}

int FileInputStream::seek(int position) {
    if (!file_) return 0;
    off_t before = ftello(file_);
    fseeko(file_, position, SEEK_SET);
    return static_cast<int>(ftello(file_) - before);
}

int64_t FileInputStream::size() const {
    if (!file_) return -1;
    off_t here = ftello(file_);
    fseeko(file_, 0, SEEK_END);
    off_t end = ftello(file_);
    fseeko(file_, here, SEEK_SET);
    return end;
}

}  // namespace io
