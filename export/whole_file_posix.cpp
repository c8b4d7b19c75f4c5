// The whole-file reader of the native build, in which the portable export code
// is tested. Paths are taken as Windows writes them: both '\' and '/' separate,
// and the UTF-16 text becomes the UTF-8 bytes that POSIX file names are.
#include "whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <new>

#include "text_encoding.h"

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    [[nodiscard]] int Get() const { return fd_; }

private:
    int fd_;
};

// A descriptor for a regular file, or -1.
int OpenRegularFile(const std::wstring& path)
{
    if (path.find(L'\0') != std::wstring::npos) {
        return -1;
    }
    std::string native = WideToUtf8(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

bool IsReadableFile(const std::wstring& path)
{
    const FileDescriptor file(OpenRegularFile(path));
    return file.Get() >= 0;
}

int ReadWholeFile(const std::wstring& path, Bytes& bytes)
{
    bytes.clear();
    const FileDescriptor file(OpenRegularFile(path));
    if (file.Get() < 0) {
        return kWholeFileNotReadable;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || info.st_size < 0) {
        return kWholeFileReadFailed;
    }
    if (static_cast<unsigned long long>(info.st_size) > 0xFFFFFFFFull) {
        return kWholeFileTooLarge;
    }
    if (info.st_size == 0) {
        return kWholeFileEmpty;
    }
    try {
        bytes.resize(static_cast<size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        return kWholeFileReadFailed;
    }
    size_t offset = 0;
    while (offset < bytes.size()) {
        const ssize_t count = ::read(file.Get(), bytes.data() + offset, bytes.size() - offset);
        if (count <= 0) {
            bytes.clear();
            return kWholeFileReadFailed;
        }
        offset += static_cast<size_t>(count);
    }
    return kWholeFileRead;
}
