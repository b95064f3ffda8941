#include "image/texture_files.h"

#include <system_error>

#include "scene/cp932.h"

bool GetFileExtension(std::string& out, std::string_view path) {
    // Walking forwards is the only sound way to find character boundaries in
    // CP932: a trail byte can look like "\" or ".".
    std::size_t extensionStart = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (IsCp932LeadByte(c) && i + 1 < path.size()) {
            ++i;
        } else if (c == '.') {
            extensionStart = i + 1;
        } else if (c == '\\' || c == '/') {
            extensionStart = std::string_view::npos;
        }
    }
    out = extensionStart == std::string_view::npos ? std::string()
                                                   : std::string(path.substr(extensionStart));
    return true;
}

std::filesystem::path GetModuleFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return exe.parent_path() / "";
}
