#include "image/texture_path.h"

#include <algorithm>
#include <system_error>

#include "scene/ascii.h"
#include "scene/cp932.h"

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

const FileFinder::Listing& FileFinder::ListingOf(const std::filesystem::path& folder) {
    auto [it, added] = listings_.try_emplace(folder.string());
    Listing& listing = it->second;
    if (!added) {
        return listing;
    }
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) {
        listing.state =
            error == std::errc::no_such_file_or_directory ? Listing::Missing : Listing::Unlistable;
        return listing;
    }
    listing.state = Listing::Listed;
    for (std::filesystem::directory_iterator end; !error && entries != end;
         entries.increment(error)) {
        std::string name = entries->path().filename().string();
        const auto [folded, first] = listing.folded.try_emplace(LowerAscii(name), name);
        if (!first) {
            folded->second.clear();
        }
        listing.names.insert(std::move(name));
    }
    return listing;
}

std::optional<std::filesystem::path> FileFinder::FindEntry(const std::filesystem::path& folder,
                                                           std::string_view name) {
    // Each folder is listed once, when a name is first looked for in it; "."
    // and ".." are in no listing, and a folder that cannot be listed may still
    // be passed through.
    const std::string wanted(name);
    const Listing& listing = ListingOf(folder);
    if (listing.state == Listing::Missing) {
        return std::nullopt;
    }
    std::filesystem::path exact = folder / std::filesystem::path(wanted);
    if (listing.state == Listing::Unlistable || wanted == "." || wanted == "..") {
        std::error_code error;
        return std::filesystem::exists(exact, error) ? std::optional(std::move(exact))
                                                     : std::nullopt;
    }
    if (listing.names.contains(wanted)) {
        return exact;
    }
    const auto folded = listing.folded.find(LowerAscii(wanted));
    if (folded == listing.folded.end() || folded->second.empty()) {
        return std::nullopt;
    }
    return folder / folded->second;
}

const std::optional<std::filesystem::path>& FileFinder::Find(const std::filesystem::path& base,
                                                             std::string_view relative) {
    std::string key = base.string();
    key += '\0';
    key += relative;
    auto [it, added] = found_.try_emplace(std::move(key));
    if (!added) {
        return it->second;
    }
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
            return it->second;
        }
        found = std::move(*next);
    }
    std::error_code error;
    if (std::filesystem::exists(found, error) && !std::filesystem::is_directory(found, error)) {
        it->second = std::move(found);
    }
    return it->second;
}

std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& base,
                                                          std::string_view relative) {
    return FileFinder().Find(base, relative);
}

std::vector<std::filesystem::path> TextureCandidates(std::string_view cp932Name,
                                                     const std::filesystem::path& documentFolder,
                                                     const std::filesystem::path& programFolder) {
    return FileFinder().TextureCandidates(cp932Name, documentFolder, programFolder);
}

std::vector<std::filesystem::path> FileFinder::TextureCandidates(
    std::string_view cp932Name, const std::filesystem::path& documentFolder,
    const std::filesystem::path& programFolder) {
    std::vector<std::filesystem::path> files;
    if (cp932Name.empty() || cp932Name.size() > kMaxTextureNameLength) {
        return files;
    }
    const std::string path = TextureNameToPath(cp932Name);
    auto add = [&files](const std::optional<std::filesystem::path>& file) {
        if (file) {
            files.push_back(*file);
        }
    };
    if (IsAbsoluteTextureName(cp932Name)) {
        // A drive-letter name ("C:/…") names nothing on this system; only
        // names rooted at "/" can be found.
        if (path.starts_with('/')) {
            add(Find("/", path));
        }
        return files;
    }
    add(Find(documentFolder, path));
    add(Find(programFolder / "TEXTURE", path));
    return files;
}
