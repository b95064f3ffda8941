#include "exchange/mqoz_folder.h"

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <system_error>

#include "exchange/document_files.h"
#include "scene/ascii.h"
#include "scene/cp932.h"
#include "scene/document_error.h"

namespace {

// Bounds on what an archive may unpack to, far above any real document with
// its textures. Deflate packs at most about 1000 bytes into one; real files
// stay far below the ratio allowed beyond the first megabytes.
constexpr std::uint64_t kMaxDocumentBytes = std::uint64_t{1} << 30;
constexpr std::uint64_t kMaxTextureBytes = std::uint64_t{256} << 20;
constexpr std::uint64_t kMaxTotalBytes = std::uint64_t{1} << 30;
constexpr std::uint64_t kRatioFreeBytes = std::uint64_t{4} << 20;
constexpr std::uint64_t kMaxRatio = 250;
constexpr zip_int64_t kMaxEntries = 100000;
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80                ? 1
                                   : c >= 0xC2 && c < 0xE0 ? 2
                                   : c >= 0xE0 && c < 0xF0 ? 3
                                   : c >= 0xF0 && c < 0xF5 ? 4
                                                           : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// The entry's "/"-separated name, or an empty one for names that would leave
// the folder (absolute, "..") and for folder entries. Names not flagged as
// UTF-8 by the archive are usually Shift-JIS on the systems that write them.
std::string SafeRelativeName(std::string_view raw) {
    std::string name = IsUtf8(raw) ? std::string(raw) : Cp932ToUtf8(raw);
    for (char& c : name) {
        if (c == '\\') {
            c = '/';
        }
    }
    if (name.empty() || name.front() == '/' || name.back() == '/') {
        return {};
    }
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
        start = slash + 1;
    }
    return name;
}

// A texture name as the document holds it, without "." and empty components.
std::string NormalisedName(std::string_view relative) {
    std::string name;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        const std::string_view part = relative.substr(start, end - start);
        if (!part.empty() && part != ".") {
            name += name.empty() ? "" : "/";
            name += part;
        }
        start = end + 1;
    }
    return name;
}

}  // namespace

void MqozFolder::ZipCloser::operator()(zip* archive) const {
    zip_discard(archive);
}

MqozFolder::MqozFolder(const std::filesystem::path& path) : archivePath(path) {
    int error = 0;
    archive.reset(zip_open(path.c_str(), ZIP_RDONLY, &error));
    if (!archive) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        const std::string reason =
            std::string("cannot open the archive: ") + zip_error_strerror(&details);
        zip_error_fini(&details);
        throw DocumentError(path, reason);
    }
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count > kMaxEntries) {
        throw DocumentError(path, "the archive holds too many files");
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        const char* rawName = zip_get_name(archive.get(), index, ZIP_FL_ENC_RAW);
        std::string name = SafeRelativeName(rawName ? rawName : "");
        if (!name.empty()) {
            entries.push_back({std::move(name), index, {}});
        }
    }
    const auto mqo = std::find_if(entries.begin(), entries.end(), [](const Entry& e) {
        return LowerExtension(std::filesystem::path(e.name)) == "mqo";
    });
    if (mqo == entries.end()) {
        throw DocumentError(path, "the archive holds no Metasequoia document (.mqo)");
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-mqoz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        throw DocumentError(path, "cannot create a temporary folder");
    }
    folder = pattern;
    if (std::string refusal = Extract(*mqo, kMaxDocumentBytes); !refusal.empty()) {
        throw DocumentError(path, refusal);
    }
    document = mqo->extracted;
}

MqozFolder::~MqozFolder() {
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

MqozFolder::Texture MqozFolder::ExtractTexture(std::string_view relative) {
    const std::string wanted = NormalisedName(relative);
    if (wanted.empty()) {
        return {};
    }
    Entry* found = nullptr;
    for (Entry& e : entries) {
        if (e.name == wanted) {
            found = &e;
            break;
        }
    }
    if (!found) {
        for (Entry& e : entries) {
            if (EqualIgnoringAsciiCase(e.name, wanted)) {
                if (found) {
                    return {};
                }
                found = &e;
            }
        }
    }
    if (!found) {
        return {};
    }
    if (found->extracted.empty()) {
        if (std::string refusal = Extract(*found, kMaxTextureBytes); !refusal.empty()) {
            return {{}, refusal};
        }
    }
    return {found->extracted, {}};
}

std::string MqozFolder::Extract(Entry& e, std::uint64_t limit) {
    zip_stat_t stat;
    if (zip_stat_index(archive.get(), e.index, 0, &stat) != 0 ||
        (stat.valid & (ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE)) !=
            (ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE)) {
        return "cannot read the archive entry " + e.name;
    }
    const std::uint64_t size = stat.size;
    if (size > limit || size > kMaxTotalBytes - extractedBytes) {
        return "the archive entry " + e.name + " unpacks to " + std::to_string(size >> 20) +
               " MB, more than allowed";
    }
    if (size > kRatioFreeBytes && size / kMaxRatio > stat.comp_size) {
        return "the archive entry " + e.name + " is compressed beyond any real file";
    }
    const std::filesystem::path target = folder / std::filesystem::path(e.name);
    std::error_code ignored;
    std::filesystem::create_directories(target.parent_path(), ignored);
    std::unique_ptr<zip_file_t, ZipFileCloser> entry(zip_fopen_index(archive.get(), e.index, 0));
    std::unique_ptr<std::FILE, FileCloser> out(std::fopen(target.c_str(), "wb"));
    if (!entry || !out) {
        return "cannot extract " + e.name;
    }
    // The stated size is checked again as the bytes come: a damaged archive may lie.
    std::vector<char> chunk(std::size_t{1} << 16);
    std::uint64_t written = 0;
    zip_int64_t n;
    while ((n = zip_fread(entry.get(), chunk.data(), chunk.size())) > 0) {
        written += static_cast<std::uint64_t>(n);
        if (written > size) {
            return "the archive entry " + e.name + " is longer than it states";
        }
        if (std::fwrite(chunk.data(), 1, static_cast<std::size_t>(n), out.get()) !=
            static_cast<std::size_t>(n)) {
            return "cannot write the extracted " + e.name;
        }
    }
    if (n < 0 || std::fclose(out.release()) != 0) {
        return "cannot extract " + e.name;
    }
    extractedBytes += written;
    e.extracted = target;
    return {};
}
