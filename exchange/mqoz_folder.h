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
#include <unordered_map>
#include <vector>

struct zip;

// The unpacking folder, removed with everything in it on every path out of
// the archive's use, a refusal in the middle of its constructor included.
// Its name carries the process id ("quorvel-mqoz-PID-XXXXXX"), so that a later
// run can tell the folders of processes that were killed.
class ArchiveTemporaryFolder {
public:
    ArchiveTemporaryFolder() = default;
    ~ArchiveTemporaryFolder();
    ArchiveTemporaryFolder(const ArchiveTemporaryFolder&) = delete;
    ArchiveTemporaryFolder& operator=(const ArchiveTemporaryFolder&) = delete;

    // Creates the folder under the system's temporary folder; false when
    // that failed.
    bool Create();
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Removes the unpacking folders of this user's processes that no longer run
// (killed while an archive was open). Called at start-up.
void RemoveStaleArchiveFolders();

class MqozFolder {
public:
    // Opens `archive` and extracts its first ".mqo" entry. Throws
    // DocumentError naming the archive and the cause (DocumentEncrypted for
    // an encrypted document, DocumentNotRegularFile for a FIFO or device).
    explicit MqozFolder(const std::filesystem::path& archive);
    ~MqozFolder();
    MqozFolder(const MqozFolder&) = delete;
    MqozFolder& operator=(const MqozFolder&) = delete;

    const std::filesystem::path& Folder() const { return folder.Path(); }
    const std::filesystem::path& Document() const { return document; }

    struct Texture {
        std::filesystem::path file;  // the extracted file; empty when there is none
        std::string refusal;         // why an entry of that name was not extracted
        bool encrypted = false;      // the refusal is the entry's encryption
    };
    // The entry `relative` names ("/"-separated UTF-8; an exact name first,
    // else the one name equal to it ignoring ASCII case), extracted once; a
    // refusal is remembered too.
    Texture ExtractTexture(std::string_view relative);

private:
    struct Entry {
        std::string name;  // "/"-separated UTF-8 inside the archive
        std::uint64_t index = 0;
        std::filesystem::path extracted;
        std::optional<Texture> refused;
    };
    struct ZipCloser {
        void operator()(zip* archive) const;
    };

    // Writes entry `e` below the folder; a refusal says why it did not.
    Texture Extract(Entry& e, std::uint64_t limit);
    Entry* FindEntry(const std::string& wanted);

    std::unique_ptr<zip, ZipCloser> archive;
    std::vector<Entry> entries;
    std::unordered_map<std::string, std::size_t> byName;
    // By ASCII lower case; entries.size() when several names fold alike.
    std::unordered_map<std::string, std::size_t> byFoldedName;
    ArchiveTemporaryFolder folder;
    std::filesystem::path document;
    std::uint64_t extractedBytes = 0;
};
