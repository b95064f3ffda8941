// Turning a texture name from a document into files on this system. Names are
// CP932 with "\" separators, written on Windows where file names ignore case.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The longest texture name accepted, in bytes as the document holds it.
constexpr std::size_t kMaxTextureNameLength = 259;

// The name in UTF-8 with "/" separators ("\" inside double-byte characters is
// part of the character, not a separator).
std::string TextureNameToPath(std::string_view cp932Name);

// A name is absolute when it contains ":" (a drive) or starts with a separator.
bool IsAbsoluteTextureName(std::string_view cp932Name);

// Finds files by the names documents give them. Each folder is listed at
// most once and every answer is kept, so a document that names thousands of
// missing files in a crowded folder costs one listing of that folder.
class FileFinder {
public:
    // Finds `relative` ("/"-separated UTF-8) under `base`: each component
    // matches exactly or, when no exact entry exists, by the one entry of its
    // folder whose name equals it ignoring ASCII case. Ambiguous or missing,
    // or a folder: nullopt. Anything else is found (a FIFO or device too), so
    // that the open can say why it refuses it.
    const std::optional<std::filesystem::path>& Find(const std::filesystem::path& base,
                                                     std::string_view relative);

    // The files the name may denote, in the order they are to be tried: a
    // relative name beside the document, then in TEXTURE/ of `programFolder`;
    // an absolute name as it stands. Empty for an empty or over-long name.
    std::vector<std::filesystem::path> TextureCandidates(
        std::string_view cp932Name, const std::filesystem::path& documentFolder,
        const std::filesystem::path& programFolder);

private:
    struct Listing {
        enum { Listed, Missing, Unlistable } state = Unlistable;
        std::unordered_set<std::string> names;
        // By ASCII lower case; an empty entry name when several fold alike.
        std::unordered_map<std::string, std::string> folded;
    };
    const Listing& ListingOf(const std::filesystem::path& folder);
    std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& folder,
                                                   std::string_view name);

    std::unordered_map<std::string, Listing> listings_;
    std::unordered_map<std::string, std::optional<std::filesystem::path>> found_;
};

// FileFinder::Find and FileFinder::TextureCandidates for a single lookup.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& base,
                                                          std::string_view relative);
std::vector<std::filesystem::path> TextureCandidates(std::string_view cp932Name,
                                                     const std::filesystem::path& documentFolder,
                                                     const std::filesystem::path& programFolder);
