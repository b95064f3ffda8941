// The files of a ".mqoz" archive (a zip holding one ".mqo" document and
// perhaps its textures), extracted into a private temporary folder so that
// the document and its textures can be read like loose files. The folder is
// removed again when the object is destroyed.
#pragma once

#include <filesystem>
#include <string>

class MqozFolder {
public:
    MqozFolder() = default;
    ~MqozFolder();
    MqozFolder(const MqozFolder&) = delete;
    MqozFolder& operator=(const MqozFolder&) = delete;

    // Extracts `archive`. Returns an empty string on success, else a one-line
    // reason; entries whose names would leave the folder are not extracted.
    std::string Extract(const std::filesystem::path& archive);

    const std::filesystem::path& Folder() const { return folder; }
    // The first ".mqo" entry of the archive.
    const std::filesystem::path& Document() const { return document; }

private:
    std::filesystem::path folder;
    std::filesystem::path document;
};
