// The document formats, one entry an extension: how a file of it is read,
// how the scene is written to it, what it cannot hold, and how the file
// dialogs name it. Opening, saving, the loss notices and the dialogs all
// read this table.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CCentigrade;
struct AtomicWriteOptions;
struct DocumentLoadResult;

enum class FormatReader {
    Native,  // the document replaces the scene's contents
    Append,  // its objects and materials are added to the scene's
    None,    // written for other programs only
};

// Something of the scene a format does not keep, in both languages.
struct FormatLoss {
    const char* japanese;
    const char* english;
};

struct DocumentFormat {
    std::string_view extension;  // lower case, without the dot
    FormatReader reader = FormatReader::None;
    // An appending reader: adds the file's records to the scene. Throws DocumentError.
    DocumentLoadResult (*append)(const std::filesystem::path&, CCentigrade&) = nullptr;
    // Writes the scene (through a temporary file); throws DocumentError. Null: not written.
    void (*write)(const std::filesystem::path&, const CCentigrade&,
                  const AtomicWriteOptions&) = nullptr;
    // What a save of this scene would lose; null: nothing.
    std::vector<FormatLoss> (*losses)(const CCentigrade&) = nullptr;
    // A zip archive holding the document and the textures it names.
    bool packed = false;
    // Its own filter in the open and in the save dialog; empty: not offered there.
    std::string_view openLabel;
    std::string_view saveLabel;
};

std::span<const DocumentFormat> DocumentFormats();
// The format of `path` by its extension, any case; null when none is known.
const DocumentFormat* FindDocumentFormat(const std::filesystem::path& path);

// A file dialog filter: its label and the extensions it accepts.
struct DialogFilter {
    std::string label;
    std::vector<std::string> extensions;
};
// The native and Metasequoia text formats first, every format that can be
// read second, then one filter a readable format.
std::vector<DialogFilter> OpenDialogFilters();
// One filter a written format.
std::vector<DialogFilter> SaveDialogFilters();
// The filter of a save that must keep everything: the native format alone.
DialogFilter NativeSaveFilter();
