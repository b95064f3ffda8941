#include "exchange/document_formats.h"

#include <array>

#include "exchange/document_files.h"
#include "exchange/format_losses.h"
#include "exchange/glb_writer.h"
#include "exchange/mqo_writer.h"
#include "exchange/mqoz_writer.h"
#include "exchange/obj_writer.h"
#include "exchange/stl_writer.h"
#include "scene/atomic_file.h"
#include "scene/document_error.h"
#include "scene/native_document.h"

namespace {

// The writers for other programs return their failure.
void Check(const std::filesystem::path& path, FileFailure failure) {
    if (failure) {
        throw DocumentError(path, std::move(failure));
    }
}

void WriteNative(const std::filesystem::path& path, const CCentigrade& scene,
                 const AtomicWriteOptions& options) {
    SaveNativeDocument(path, scene, options);
}

void WriteMqo(const std::filesystem::path& path, const CCentigrade& scene,
              const AtomicWriteOptions& options) {
    Check(path, WriteFileAtomically(path, FormatMQO(scene), options));
}

template <FileFailure (*Save)(const std::filesystem::path&, const CCentigrade&)>
void WriteOther(const std::filesystem::path& path, const CCentigrade& scene,
                const AtomicWriteOptions&) {
    Check(path, Save(path, scene));
}

constexpr std::string_view kAllFormats = "全ての形式(*.qvl;*.mqo)";
constexpr std::string_view kMetasequoia = "Metasequoiaファイル(*.mqo)";
constexpr std::string_view kMetasequoiaPacked = "Metasequoia圧縮ファイル(*.mqoz)";

// Native formats first: the save dialog offers them in this order.
const std::array<DocumentFormat, 6> kFormats = {{
    {"qvl", FormatReader::Native, nullptr, WriteNative, nullptr, false, "Quorvelファイル(*.qvl)",
     "Tamrix Quorvelファイル(*.qvl)"},
    {"mqo", FormatReader::Append, ImportMetasequoia, WriteMqo, MetasequoiaLosses, false,
     kMetasequoia, kMetasequoia},
    {"mqoz", FormatReader::Append, ImportMetasequoia, WriteOther<SaveMqoz>, MetasequoiaLosses, true,
     kMetasequoiaPacked, kMetasequoiaPacked},
    {"obj", FormatReader::Append, ImportObj, WriteOther<SaveObj>, ObjLosses, false,
     "Wavefront OBJファイル(*.obj)", "Wavefront OBJファイル(*.obj)"},
    {"stl",
     FormatReader::None,
     nullptr,
     WriteOther<SaveStl>,
     StlLosses,
     false,
     {},
     "STLファイル(*.stl)"},
    {"glb",
     FormatReader::None,
     nullptr,
     WriteOther<SaveGlb>,
     GlbLosses,
     false,
     {},
     "glTFバイナリファイル(*.glb)"},
}};

}  // namespace

std::span<const DocumentFormat> DocumentFormats() {
    return kFormats;
}

const DocumentFormat* FindDocumentFormat(const std::filesystem::path& path) {
    const std::string ext = LowerExtension(path);
    for (const DocumentFormat& format : kFormats) {
        if (format.extension == ext) {
            return &format;
        }
    }
    return nullptr;
}

std::vector<DialogFilter> OpenDialogFilters() {
    // The first line keeps its long-standing text and what it names; the
    // second names every format that can be read.
    std::vector<DialogFilter> filters{{std::string(kAllFormats), {"qvl", "mqo"}}, {{}, {}}};
    std::string patterns;
    for (const DocumentFormat& format : kFormats) {
        if (format.openLabel.empty()) {
            continue;
        }
        patterns += (patterns.empty() ? "*." : ";*.") + std::string(format.extension);
        filters[1].extensions.emplace_back(format.extension);
        filters.push_back({std::string(format.openLabel), {std::string(format.extension)}});
    }
    filters[1].label = "読み込める全ての形式(" + patterns + ")";
    return filters;
}

std::vector<DialogFilter> SaveDialogFilters() {
    std::vector<DialogFilter> filters;
    for (const DocumentFormat& format : kFormats) {
        if (format.write && !format.saveLabel.empty()) {
            filters.push_back({std::string(format.saveLabel), {std::string(format.extension)}});
        }
    }
    return filters;
}

DialogFilter NativeSaveFilter() {
    return {"Quorvel Files (*.qvl)", {"qvl"}};
}
