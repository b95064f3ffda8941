#include "exchange/mqoz_writer.h"

#include <zip.h>

#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

#include "exchange/mqo_writer.h"
#include "image/image_formats.h"
#include "image/texture_files.h"
#include "image/texture_path.h"
#include "scene/atomic_file.h"
#include "scene/centigrade.h"
#include "scene/cp932.h"

namespace {

struct Entry {
    std::string name;  // UTF-8, "/" separators
    std::string bytes;
};

// The name a texture is stored under, or nothing when its name must change.
std::optional<std::string> KeptEntryName(const std::string& cp932Name) {
    if (IsAbsoluteTextureName(cp932Name)) {
        return std::nullopt;
    }
    const std::string path = TextureNameToPath(cp932Name);
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string_view part(path.data() + start, end - start);
        if (part == "..") {
            return std::nullopt;
        }
        start = end + 1;
    }
    return path;
}

// Collects the texture files and gives every material the name its texture
// has inside the archive. Fails with the first file that cannot be read.
FileFailure CollectTextures(const CCentigrade& scene, std::vector<CMaterial>& materials,
                            std::vector<Entry>& entries) {
    FileFinder finder;
    std::unordered_set<std::string> stored;
    for (CMaterial& m : materials) {
        if (m.texture.empty()) {
            continue;
        }
        const auto files =
            finder.TextureCandidates(m.texture, scene.DocumentFolder(), GetModuleFolder());
        if (files.empty()) {
            continue;
        }
        const std::optional<std::string> kept = KeptEntryName(m.texture);
        const std::string name = kept ? *kept : files.front().filename().string();
        if (!kept) {
            m.texture = Utf8ToCp932(name);
        }
        if (!stored.insert(name).second) {
            continue;
        }
        Entry& entry = entries.emplace_back();
        entry.name = name;
        if (FileFailure failure = ReadWholeFile(files.front(), entry.bytes, kMaxImageFileBytes)) {
            return failure;
        }
    }
    return {};
}

struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

// The zip file of `entries`, built in memory; empty on failure.
std::string ZipBytes(const std::vector<Entry>& entries, std::string& reason) {
    zip_error_t error;
    zip_error_init(&error);
    std::unique_ptr<zip_source_t, SourceFree> buffer(
        zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) {
        reason = zip_error_strerror(&error);
        return {};
    }
    zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    if (!archive) {
        reason = zip_error_strerror(&error);
        return {};
    }
    // The archive releases the source when it is closed; this hold keeps the
    // bytes readable afterwards.
    zip_source_keep(buffer.get());
    for (const Entry& e : entries) {
        zip_source_t* data = zip_source_buffer(archive, e.bytes.data(), e.bytes.size(), 0);
        if (!data || zip_file_add(archive, e.name.c_str(), data, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(data);
            reason = zip_strerror(archive);
            zip_discard(archive);
            return {};
        }
    }
    if (zip_close(archive) != 0) {
        reason = zip_strerror(archive);
        zip_discard(archive);
        return {};
    }
    zip_stat_t stat;
    if (zip_source_stat(buffer.get(), &stat) != 0 || zip_source_open(buffer.get()) != 0) {
        reason = "cannot read the archive built in memory";
        return {};
    }
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    const zip_int64_t read = zip_source_read(buffer.get(), bytes.data(), bytes.size());
    zip_source_close(buffer.get());
    if (read != static_cast<zip_int64_t>(bytes.size())) {
        reason = "cannot read the archive built in memory";
        return {};
    }
    return bytes;
}

}  // namespace

FileFailure SaveMqoz(const std::filesystem::path& path, const CCentigrade& scene) {
    std::vector<CMaterial> materials = scene.materials;
    std::vector<Entry> entries(1);
    if (FileFailure failure = CollectTextures(scene, materials, entries)) {
        return failure;
    }
    bool renamed = false;
    for (std::size_t i = 0; i < materials.size(); ++i) {
        renamed |= materials[i].texture != scene.materials[i].texture;
    }
    std::filesystem::path document = path.filename();
    document.replace_extension(".mqo");
    entries[0].name = document.string();
    if (renamed) {
        CCentigrade copy = scene;
        copy.materials = std::move(materials);
        entries[0].bytes = FormatMQO(copy);
    } else {
        entries[0].bytes = FormatMQO(scene);
    }
    std::string reason;
    const std::string archive = ZipBytes(entries, reason);
    if (archive.empty()) {
        return {FileStep::Pack, path, 0, reason};
    }
    return WriteFileAtomically(path, archive);
}
