// Reads a Metasequoia text document (".mqo") into a scene, appending its
// materials and objects to what the scene holds.
//
// The reader is line-oriented and forgiving: it knows a fixed set of keywords,
// reads past everything else (nested chunks, binary blocks), and stops only on
// the few structural errors of the result codes below. Whatever was read
// before an error stays in the scene.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/mqo_plain_lines.h"
#include "exchange/string_separator.h"
#include "image/image_status.h"

class CCentigrade;
class CMaterial;
class CModel;

// Result codes of LoaderMQO::Load; 0 is success.
constexpr int MQO_SYNTAX = -1;      // a chunk line without "{", a face without its V group,
                                    // or a binary block that cannot be skipped
constexpr int MQO_EOF = -2;         // the file ends inside a chunk
constexpr int MQO_NOT_MQO = -3;     // the first line is not "Metasequoia Document"
constexpr int MQO_BAD_FORMAT = -4;  // the second line is not "Format Text Ver" 1.0 or later

// A short English description of a result code, for messages.
std::string_view MqoResultText(int code);

// What LoadMQO read.
struct MqoImport {
    int result = 0;   // LoaderMQO's result code
    int repairs = 0;  // faces dropped, characters and numbers replaced to keep the invariants
    std::vector<TextureFailure> textureFailures;
};

// Appends the materials and objects of a ".mqo" document, or of the one in a
// ".mqoz" archive, to the scene. A document that stops early keeps what was
// read and says so in the result code; a file that cannot be read at all
// throws DocumentError.
MqoImport LoadMQO(CCentigrade& scene, const std::filesystem::path& path);

class LoaderMQO {
public:
    // `file` is opened and closed by the caller.
    LoaderMQO(CCentigrade& scene, std::FILE* file);
    LoaderMQO(const LoaderMQO&) = delete;
    LoaderMQO& operator=(const LoaderMQO&) = delete;

    // Reads the whole document; returns 0 or the first result code met.
    int Load();

    // Faces dropped because they would break the scene's invariants,
    // characters of UTF-8 names that code page 932 lacks, and non-finite
    // numbers replaced by 0.
    int Repairs() const { return repairs; }

    // Added to every material number of a face: the scene's materialSerial
    // when the import began, so faces refer to the materials read here.
    int materialBase = 0;
    // Called when a material names its texture; unset, no texture is loaded.
    std::function<void(CMaterial&)> loadTexture;
    // Common vertex and face lines are read without splitting them into tokens
    // (exchange/mqo_plain_lines.h); off, every line is split, the reading that
    // shortcut must match.
    bool plainLineShortcut = true;

private:
    int ReadHeader();
    int ReadChunks();
    // Reads the lines of a chunk up to its closing "}", handing each line
    // that is not blank to line(token count); a code other than 0 from it
    // ends the read. MQO_EOF when the file ends first. A line that
    // shortcut(its bytes) took is not split nor handed on.
    template <typename Shortcut, typename Line>
    int ReadChunkLines(Shortcut shortcut, Line line);
    template <typename Line>
    int ReadChunkLines(Line line) {
        return ReadChunkLines([](std::string_view) { return false; }, line);
    }
    int ReadMaterials();
    void ReadAttributes(CMaterial& material);
    int ReadObject(CModel& model);
    int ReadVertices(CModel& model);
    int ReadBinaryVertices(CModel& model);
    int ReadFaces(CModel& model);
    // The face line of the current tokens; false when a group is malformed.
    bool SplitFaceLine(int n, std::int64_t stated, MqoFaceLine& face) const;
    void AddFace(CModel& model, const MqoFaceLine& line);
    int SkipChunk(int n);
    int SkipBinary(int n);
    bool IsBinaryLine(int n) const;
    void SelectCodePage();
    // A name or file name of the document as code page 932 bytes.
    std::string SceneText(std::string_view text);
    // Token `i` as a float; "nan", "inf" and values beyond the float range
    // become 0 and count as repairs, so no scene holds a non-finite number.
    float Number(int i);
    float Narrow(double value);
    float Finite(float value);
    // Reserves room for the count a chunk line states, but never more than the
    // rest of the file can hold at `minLineBytes` a line.
    template <typename Array>
    void ReserveStated(Array& array, int stated, std::uint64_t minLineBytes);
    // Drops the object's faces that would break the scene's invariants (too
    // few corners, an index outside the vertex list), if any face was suspect.
    void DropBrokenFaces(CModel& model);

    CCentigrade& scene;
    AsciiFileString lines;  // over the caller's file
    bool utf8Text = false;
    bool facesToCheck = false;  // the current object has a face that may be broken
    int repairs = 0;
};

template <typename Shortcut, typename Line>
int LoaderMQO::ReadChunkLines(Shortcut shortcut, Line line) {
    for (;;) {
        std::string_view raw;
        if (!lines.ReadRawLine(raw)) {
            return MQO_EOF;
        }
        if (shortcut(raw)) {
            continue;
        }
        const int n = lines.Separate(raw);
        if (n == 0) {
            continue;
        }
        if (lines.Begins("}", 1)) {
            return 0;
        }
        if (const int code = line(n); code != 0) {
            return code;
        }
    }
}
