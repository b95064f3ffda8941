#include "exchange/mqoz_folder.h"

#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <system_error>
#include <vector>

#include "exchange/document_files.h"
#include "exchange/utf8_names.h"
#include "scene/cp932.h"

namespace {

// Bounds on what an archive may unpack to, so that a crafted archive cannot
// fill the disk: far above any real document with its textures.
constexpr std::uint64_t kMaxExtractedBytes = std::uint64_t{4} << 30;
constexpr zip_int64_t kMaxEntries = 100000;

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The entry's path inside the folder, or an empty path for names that would
// leave it (absolute, "..") and for folder entries. Names not flagged as UTF-8
// by the archive are usually Shift-JIS on the systems that write these files.
std::filesystem::path SafeRelativePath(std::string_view raw) {
    std::string name = IsUtf8(raw) ? std::string(raw) : Cp932ToUtf8(raw);
    for (char& c : name) {
        if (c == '\\') {
            c = '/';
        }
    }
    if (name.empty() || name.front() == '/' || name.back() == '/') {
        return {};
    }
    std::filesystem::path relative;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t slash = name.find('/', start);
        if (slash == std::string::npos) {
            slash = name.size();
        }
        const std::string_view part(name.data() + start, slash - start);
        if (part.empty() || part == "." || part == "..") {
            return {};
        }
        relative /= std::filesystem::path(part);
        start = slash + 1;
    }
    return relative;
}

bool HasMqoExtension(const std::filesystem::path& path) {
    return LowerExtension(path) == "mqo";
}

}  // namespace

MqozFolder::~MqozFolder() {
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

std::string MqozFolder::Extract(const std::filesystem::path& archivePath) {
    const std::string where = archivePath.string() + ": ";
    int error = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open(archivePath.c_str(), ZIP_RDONLY, &error));
    if (!archive) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        std::string reason = where + "cannot open the archive: " + zip_error_strerror(&details);
        zip_error_fini(&details);
        return reason;
    }
    const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
    if (entries > kMaxEntries) {
        return where + "the archive holds too many files";
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-mqoz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        return where + "cannot create a temporary folder";
    }
    folder = pattern;
    std::uint64_t extracted = 0;
    std::vector<char> chunk(std::size_t{1} << 16);
    for (zip_int64_t i = 0; i < entries; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        const char* rawName = zip_get_name(archive.get(), index, ZIP_FL_ENC_RAW);
        const std::filesystem::path relative = SafeRelativePath(rawName ? rawName : "");
        if (relative.empty()) {
            continue;
        }
        const std::filesystem::path target = folder / relative;
        std::error_code ignored;
        std::filesystem::create_directories(target.parent_path(), ignored);
        std::unique_ptr<zip_file_t, ZipFileCloser> entry(zip_fopen_index(archive.get(), index, 0));
        std::unique_ptr<std::FILE, FileCloser> out(std::fopen(target.c_str(), "wb"));
        if (!entry || !out) {
            return where + "cannot extract " + relative.string();
        }
        zip_int64_t n;
        while ((n = zip_fread(entry.get(), chunk.data(), chunk.size())) > 0) {
            extracted += static_cast<std::uint64_t>(n);
            if (extracted > kMaxExtractedBytes) {
                return where + "the archive unpacks to more than 4 GB";
            }
            if (std::fwrite(chunk.data(), 1, static_cast<std::size_t>(n), out.get()) !=
                static_cast<std::size_t>(n)) {
                return where + "cannot write the extracted " + relative.string();
            }
        }
        if (n < 0 || std::fclose(out.release()) != 0) {
            return where + "cannot extract " + relative.string();
        }
        if (document.empty() && HasMqoExtension(relative)) {
            document = target;
        }
    }
    if (document.empty()) {
        return where + "the archive holds no Metasequoia document (.mqo)";
    }
    return {};
}
