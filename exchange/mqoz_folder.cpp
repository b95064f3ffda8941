#include "exchange/mqoz_folder.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <system_error>

#include "exchange/document_files.h"
#include "exchange/utf8_names.h"
#include "scene/ascii.h"
#include "scene/cp932.h"
#include "scene/document_error.h"
#include "scene/regular_file.h"

namespace {

// Bounds on what an archive may unpack to, far above any real document with
// its textures. Deflate packs at most about 1000 bytes into one; real files
// stay far below the ratio allowed beyond the first megabytes.
constexpr std::uint64_t kMaxDocumentEntryBytes = std::uint64_t{1} << 30;
constexpr std::uint64_t kMaxTextureBytes = std::uint64_t{256} << 20;
constexpr std::uint64_t kMaxTotalBytes = std::uint64_t{1} << 30;
constexpr std::uint64_t kRatioFreeBytes = std::uint64_t{4} << 20;
constexpr std::uint64_t kMaxRatio = 250;
constexpr zip_int64_t kMaxEntries = 100000;
constexpr std::string_view kFolderPrefix = "quorvel-mqoz-";
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

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

// The process id in an unpacking folder's name, or 0 when it has none.
pid_t OwnerOf(std::string_view folderName) {
    if (!folderName.starts_with(kFolderPrefix)) {
        return 0;
    }
    folderName.remove_prefix(kFolderPrefix.size());
    pid_t pid = 0;
    std::size_t digits = 0;
    while (digits < folderName.size() && digits < 9 && folderName[digits] >= '0' &&
           folderName[digits] <= '9') {
        pid = pid * 10 + (folderName[digits++] - '0');
    }
    return digits > 0 && digits < folderName.size() && folderName[digits] == '-' ? pid : 0;
}

zip* OpenArchive(const std::filesystem::path& path) {
    RegularFile file(path, kMaxDocumentBytes);
    if (!file) {
        file.ThrowRefusal();
    }
    int error = 0;
    zip* archive = zip_fdopen(file.Descriptor(), ZIP_RDONLY, &error);
    if (!archive) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        const std::string reason =
            std::string("cannot open the archive: ") + zip_error_strerror(&details);
        zip_error_fini(&details);
        throw DocumentError(path, reason);
    }
    // The archive closes the descriptor from now on.
    file.Release();
    return archive;
}

}  // namespace

ArchiveTemporaryFolder::~ArchiveTemporaryFolder() {
    if (!path_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

bool ArchiveTemporaryFolder::Create() {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) {
        return false;
    }
    std::string pattern =
        (base / (std::string(kFolderPrefix) + std::to_string(::getpid()) + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) {
        return false;
    }
    path_ = pattern;
    return true;
}

void RemoveStaleArchiveFolders() {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    for (std::filesystem::directory_iterator it(base, error), end; !error && it != end;
         it.increment(error)) {
        const pid_t owner = OwnerOf(it->path().filename().string());
        struct stat info;
        // A folder of this user whose process is gone: kill() finds no process.
        if (owner <= 0 || owner == ::getpid() || ::kill(owner, 0) == 0 || errno != ESRCH ||
            ::lstat(it->path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            info.st_uid != ::getuid()) {
            continue;
        }
        std::error_code ignored;
        std::filesystem::remove_all(it->path(), ignored);
    }
}

void MqozFolder::ZipCloser::operator()(zip* archive) const {
    zip_discard(archive);
}

MqozFolder::MqozFolder(const std::filesystem::path& path) : archive(OpenArchive(path)) {
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count > kMaxEntries) {
        throw DocumentError(path, "the archive holds too many files");
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        const char* rawName = zip_get_name(archive.get(), index, ZIP_FL_ENC_RAW);
        std::string name = SafeRelativeName(rawName ? rawName : "");
        if (!name.empty()) {
            entries.push_back({std::move(name), index, {}, {}});
        }
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        byName.try_emplace(entries[i].name, i);
        const auto [folded, first] = byFoldedName.try_emplace(LowerAscii(entries[i].name), i);
        if (!first) {
            folded->second = entries.size();
        }
    }
    const auto mqo = std::find_if(entries.begin(), entries.end(), [](const Entry& e) {
        return LowerExtension(std::filesystem::path(e.name)) == "mqo";
    });
    if (mqo == entries.end()) {
        throw DocumentError(path, "the archive holds no Metasequoia document (.mqo)");
    }
    if (!folder.Create()) {
        throw DocumentError(path, "cannot create a temporary folder");
    }
    if (const Texture refused = Extract(*mqo, kMaxDocumentEntryBytes); !refused.refusal.empty()) {
        if (refused.encrypted) {
            throw DocumentEncrypted(path, refused.refusal);
        }
        throw DocumentError(path, refused.refusal);
    }
    document = mqo->extracted;
}

MqozFolder::~MqozFolder() = default;

MqozFolder::Entry* MqozFolder::FindEntry(const std::string& wanted) {
    if (const auto exact = byName.find(wanted); exact != byName.end()) {
        return &entries[exact->second];
    }
    const auto folded = byFoldedName.find(LowerAscii(wanted));
    if (folded == byFoldedName.end() || folded->second == entries.size()) {
        return nullptr;
    }
    return &entries[folded->second];
}

MqozFolder::Texture MqozFolder::ExtractTexture(std::string_view relative) {
    const std::string wanted = NormalisedName(relative);
    Entry* found = wanted.empty() ? nullptr : FindEntry(wanted);
    if (!found) {
        return {};
    }
    if (found->refused) {
        return *found->refused;
    }
    if (found->extracted.empty()) {
        if (Texture refused = Extract(*found, kMaxTextureBytes); !refused.refusal.empty()) {
            found->refused = refused;
            return refused;
        }
    }
    return {found->extracted, {}, false};
}

MqozFolder::Texture MqozFolder::Extract(Entry& e, std::uint64_t limit) {
    auto refuse = [](std::string reason, bool encrypted = false) {
        return Texture{{}, std::move(reason), encrypted};
    };
    zip_stat_t stat;
    if (zip_stat_index(archive.get(), e.index, 0, &stat) != 0 ||
        (stat.valid & (ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE)) !=
            (ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE)) {
        return refuse("cannot read the archive entry " + e.name);
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
        return refuse("the archive entry " + e.name + " is encrypted", true);
    }
    const std::uint64_t size = stat.size;
    if (size > limit || size > kMaxTotalBytes - extractedBytes) {
        return refuse("the archive entry " + e.name + " unpacks to " + std::to_string(size >> 20) +
                      " MB, more than allowed");
    }
    if (size > kRatioFreeBytes && size / kMaxRatio > stat.comp_size) {
        return refuse("the archive entry " + e.name + " is compressed beyond any real file");
    }
    const std::filesystem::path target = folder.Path() / std::filesystem::path(e.name);
    std::error_code ignored;
    std::filesystem::create_directories(target.parent_path(), ignored);
    std::unique_ptr<zip_file_t, ZipFileCloser> entry(zip_fopen_index(archive.get(), e.index, 0));
    std::unique_ptr<std::FILE, FileCloser> out(std::fopen(target.c_str(), "wb"));
    if (!entry || !out) {
        return refuse("cannot extract " + e.name);
    }
    // The stated size is checked again as the bytes come: a damaged archive
    // may lie. What was written of a refused entry goes at once.
    auto refuseWritten = [&](std::string reason) {
        out.reset();
        std::filesystem::remove(target, ignored);
        return refuse(std::move(reason));
    };
    std::vector<char> chunk(std::size_t{1} << 16);
    std::uint64_t written = 0;
    zip_int64_t n;
    while ((n = zip_fread(entry.get(), chunk.data(), chunk.size())) > 0) {
        written += static_cast<std::uint64_t>(n);
        if (written > size) {
            return refuseWritten("the archive entry " + e.name + " is longer than it states");
        }
        if (std::fwrite(chunk.data(), 1, static_cast<std::size_t>(n), out.get()) !=
            static_cast<std::size_t>(n)) {
            return refuseWritten("cannot write the extracted " + e.name);
        }
    }
    if (n < 0 || std::fclose(out.release()) != 0) {
        return refuseWritten("cannot extract " + e.name);
    }
    extractedBytes += written;
    e.extracted = target;
    return {};
}
