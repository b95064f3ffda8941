#include "image/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

MappedFile::MappedFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error_ = errno;
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error_ = errno;
    } else if (!S_ISREG(st.st_mode)) {
        error_ = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    } else {
        size_ = static_cast<std::size_t>(st.st_size);
        if (size_ == 0) {
            open_ = true;
        } else {
            // Populating up front costs less than taking a fault per page
            // while a reader streams through the file.
            void* p = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (p != MAP_FAILED) {
                data_ = static_cast<const std::uint8_t*>(p);
                open_ = true;
            } else {
                error_ = errno;
                size_ = 0;
            }
        }
    }
    ::close(fd);
}

MappedFile::~MappedFile() {
    if (data_) {
        ::munmap(const_cast<std::uint8_t*>(data_), size_);
    }
}
