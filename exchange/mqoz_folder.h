// A ".mqoz" archive (a zip holding one ".mqo" document and perhaps its
// textures), unpacked only as far as it is used: the document at once, each
// texture when the document names it, into a private temporary folder that is
// removed again with the object. Every entry is held to a size limit and a
// compression-ratio check, so a small archive cannot fill the disk.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct zip;

class MqozFolder {
public:
    // Opens `archive` and extracts its first ".mqo" entry. Throws
    // DocumentError naming the archive and the cause.
    explicit MqozFolder(const std::filesystem::path& archive);
    ~MqozFolder();
    MqozFolder(const MqozFolder&) = delete;
    MqozFolder& operator=(const MqozFolder&) = delete;

    const std::filesystem::path& Folder() const { return folder; }
    const std::filesystem::path& Document() const { return document; }

    struct Texture {
        std::filesystem::path file;  // the extracted file; empty when there is none
        std::string refusal;         // why an entry of that name was not extracted
    };
    // The entry `relative` names ("/"-separated UTF-8; an exact name first,
    // else the one name equal to it ignoring ASCII case), extracted once.
    Texture ExtractTexture(std::string_view relative);

private:
    struct Entry {
        std::string name;  // "/"-separated UTF-8 inside the archive
        std::uint64_t index = 0;
        std::filesystem::path extracted;
    };
    struct ZipCloser {
        void operator()(zip* archive) const;
    };

    // Writes entry `e` below the folder; returns why it was refused, if it was.
    std::string Extract(Entry& e, std::uint64_t limit);

    std::filesystem::path archivePath;
    std::unique_ptr<zip, ZipCloser> archive;
    std::vector<Entry> entries;
    std::filesystem::path folder;
    std::filesystem::path document;
    std::uint64_t extractedBytes = 0;
};
