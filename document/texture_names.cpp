#include "document/texture_names.h"

#include <string_view>

#include "scene/ascii.h"

std::string TextureNameForFile(const std::string& utf8Path,
                               const std::filesystem::path& programFolder) {
    // Only a whole folder name counts: "Textures/a.bmp" is not inside "Texture".
    std::string prefix = (programFolder / "Texture").string();
    const std::string_view path(utf8Path);
    if (path.size() > prefix.size() + 1 &&
        EqualIgnoringAsciiCase(path.substr(0, prefix.size()), prefix) &&
        (path[prefix.size()] == '/' || path[prefix.size()] == '\\')) {
        return std::string(path.substr(prefix.size() + 1));
    }
    return utf8Path;
}
