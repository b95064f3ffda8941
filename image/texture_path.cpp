#include "image/texture_path.h"

#include <algorithm>
#include <system_error>

#include "scene/ascii.h"
#include "scene/cp932.h"

namespace {

std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& folder,
                                               std::string_view name) {
    std::error_code error;
    std::filesystem::path exact = folder / std::filesystem::path(std::string(name));
    if (std::filesystem::exists(exact, error)) {
        return exact;
    }
    std::optional<std::filesystem::path> match;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (EqualIgnoringAsciiCase(it->path().filename().string(), name)) {
            if (match) {
                return std::nullopt;
            }
            match = it->path();
        }
    }
    return match;
}

}  // namespace

std::string TextureNameToPath(std::string_view cp932Name) {
    std::string slashed(cp932Name);
    for (std::size_t i = 0; i < slashed.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(slashed[i])) && i + 1 < slashed.size()) {
            ++i;
        } else if (slashed[i] == '\\') {
            slashed[i] = '/';
        }
    }
    return Cp932ToUtf8(slashed);
}

bool IsAbsoluteTextureName(std::string_view cp932Name) {
    const std::string path = TextureNameToPath(cp932Name);
    return path.find(':') != std::string::npos || path.starts_with('/');
}

std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& base,
                                                          std::string_view relative) {
    std::filesystem::path found = base;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        const std::string_view component = relative.substr(start, end - start);
        start = end + 1;
        if (component.empty()) {
            continue;
        }
        std::optional<std::filesystem::path> next = FindEntry(found, component);
        if (!next) {
            return std::nullopt;
        }
        found = std::move(*next);
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(found, error)) {
        return std::nullopt;
    }
    return found;
}

std::vector<std::filesystem::path> TextureCandidates(std::string_view cp932Name,
                                                     const std::filesystem::path& documentFolder,
                                                     const std::filesystem::path& programFolder) {
    std::vector<std::filesystem::path> files;
    if (cp932Name.empty() || cp932Name.size() > kMaxTextureNameLength) {
        return files;
    }
    const std::string path = TextureNameToPath(cp932Name);
    auto add = [&files](std::optional<std::filesystem::path> file) {
        if (file) {
            files.push_back(std::move(*file));
        }
    };
    if (IsAbsoluteTextureName(cp932Name)) {
        // A drive-letter name ("C:/…") names nothing on this system; only
        // names rooted at "/" can be found.
        if (path.starts_with('/')) {
            add(FindFileIgnoringCase("/", path));
        }
        return files;
    }
    add(FindFileIgnoringCase(documentFolder, path));
    add(FindFileIgnoringCase(programFolder / "TEXTURE", path));
    return files;
}
