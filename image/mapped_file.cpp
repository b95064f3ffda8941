#include "image/mapped_file.h"

#include <sys/mman.h>

#include <cerrno>
#include <cstring>

namespace {

// Populating a texture's pages up front costs less than a fault per page while
// a reader streams through it; larger files are mapped lazily, so that their
// header alone decides how much is read.
constexpr std::size_t kPopulatedBytes = std::size_t{64} << 20;

}  // namespace

MappedFile::MappedFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
    const RegularFile file(path, maxBytes);
    if (!file) {
        refusal_ = file.Refusal();
        cause_ = file.Cause();
        return;
    }
    size_ = static_cast<std::size_t>(file.Size());
    if (size_ == 0) {
        open_ = true;
        return;
    }
    const int flags = MAP_PRIVATE | (size_ <= kPopulatedBytes ? MAP_POPULATE : 0);
    void* p = ::mmap(nullptr, size_, PROT_READ, flags, file.Descriptor(), 0);
    if (p == MAP_FAILED) {
        refusal_ = FileRefusal::CannotOpen;
        cause_ = std::string("cannot map: ") + std::strerror(errno);
        size_ = 0;
        return;
    }
    data_ = static_cast<const std::uint8_t*>(p);
    open_ = true;
}

MappedFile::~MappedFile() {
    if (data_) {
        ::munmap(const_cast<std::uint8_t*>(data_), size_);
    }
}
