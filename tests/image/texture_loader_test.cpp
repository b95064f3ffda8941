#include <gtest/gtest.h>

#include <unistd.h>

#include "exchange/document_files.h"
#include "image/dib_stream.h"
#include "image/image_status.h"
#include "image/texture_files.h"
#include "image/texture_loader.h"
#include "image/texture_path.h"
#include "image_builders.h"
#include "scene/centigrade.h"
#include "scene/material.h"
#include "scene/message_sink.h"
#include "scene/native_document.h"

namespace {

Bytes Bmp(int bitCount) {
    BmpFields fields;
    fields.width = 2;
    fields.height = 2;
    fields.bitCount = bitCount;
    fields.pixels.assign(DibStream::StrideFor(bitCount, 2) * 2, 0x40);
    if (bitCount <= 8) {
        fields.palette.resize(std::size_t{1} << bitCount, RgbQuad{1, 2, 3, 0});
    }
    return MakeBmp(fields);
}

// Records what the loader reports instead of printing it.
class MessageRecorder {
public:
    MessageRecorder()
        : previous_(SetMessageSink([this](const std::string& m) { messages.push_back(m); })) {}
    ~MessageRecorder() { SetMessageSink(previous_); }
    std::vector<std::string> messages;

private:
    MessageSink previous_;
};

TEST(GetFileExtension, TakesTheLastDotOfTheLastComponent) {
    std::string ext = "stale";
    EXPECT_TRUE(GetFileExtension(ext, "dir\\wood.BMP"));
    EXPECT_EQ(ext, "BMP");
    GetFileExtension(ext, "a.tar.gz");
    EXPECT_EQ(ext, "gz");
    GetFileExtension(ext, "archive.old\\wood");
    EXPECT_EQ(ext, "");
    GetFileExtension(ext, "archive.old/wood");
    EXPECT_EQ(ext, "");
    GetFileExtension(ext, "wood.");
    EXPECT_EQ(ext, "");
    GetFileExtension(ext, "");
    EXPECT_EQ(ext, "");
}

TEST(GetFileExtension, TrailByteEqualToBackslashIsNoSeparator) {
    std::string ext;
    // "ソ" is 0x83 0x5C in code page 932.
    GetFileExtension(ext, "tex.b\x83\x5C");
    EXPECT_EQ(ext, "b\x83\x5C");
}

TEST(GetModuleFolder, IsTheTestExecutablesFolderWithASeparator) {
    const std::filesystem::path folder = GetModuleFolder();
    EXPECT_TRUE(folder.string().ends_with('/'));
    EXPECT_TRUE(std::filesystem::exists(folder / "quorvel_image_tests"));
}

TEST(TextureNameToPath, ConvertsSeparatorsButNotTrailBytes) {
    EXPECT_EQ(TextureNameToPath("sub\\wood.bmp"), "sub/wood.bmp");
    EXPECT_EQ(TextureNameToPath("\x83\x5C\\a.bmp"), "ソ/a.bmp");
}

TEST(TextureNameToPath, AbsoluteWhenADriveOrLeadingSeparator) {
    EXPECT_TRUE(IsAbsoluteTextureName("C:\\img\\wood.bmp"));
    EXPECT_TRUE(IsAbsoluteTextureName("\\img\\wood.bmp"));
    EXPECT_TRUE(IsAbsoluteTextureName("/img/wood.bmp"));
    EXPECT_FALSE(IsAbsoluteTextureName("img\\wood.bmp"));
}

TEST(FindFileIgnoringCase, ExactThenUniqueCaseInsensitiveComponents) {
    TempFolder folder;
    folder.Write("Sub/Wood.bmp", Bmp(24));
    EXPECT_EQ(FindFileIgnoringCase(folder.Path(), "Sub/Wood.bmp"), folder.Path() / "Sub/Wood.bmp");
    EXPECT_EQ(FindFileIgnoringCase(folder.Path(), "SUB/wood.BMP"), folder.Path() / "Sub/Wood.bmp");
    EXPECT_EQ(FindFileIgnoringCase(folder.Path(), "sub/missing.bmp"), std::nullopt);
    EXPECT_EQ(FindFileIgnoringCase(folder.Path(), "sub"), std::nullopt);
}

TEST(FindFileIgnoringCase, AmbiguousMatchIsNotGuessed) {
    TempFolder folder;
    folder.Write("Wood.bmp", Bmp(24));
    folder.Write("WOOD.bmp", Bmp(24));
    EXPECT_EQ(FindFileIgnoringCase(folder.Path(), "wood.bmp"), std::nullopt);
    EXPECT_EQ(FindFileIgnoringCase(folder.Path(), "WOOD.bmp"), folder.Path() / "WOOD.bmp");
}

TEST(TextureCandidates, DocumentFolderComesBeforeTheProgramTextures) {
    TempFolder document;
    TempFolder program;
    const auto shared = program.Write("TEXTURE/sub/wood.bmp", Bmp(24));
    EXPECT_EQ(TextureCandidates("sub\\wood.bmp", document.Path(), program.Path()),
              std::vector<std::filesystem::path>{shared});
    const auto beside = document.Write("sub/wood.bmp", Bmp(24));
    EXPECT_EQ(TextureCandidates("sub\\wood.bmp", document.Path(), program.Path()),
              (std::vector<std::filesystem::path>{beside, shared}));
}

TEST(TextureCandidates, AbsoluteNamesAreNotLookedUpElsewhere) {
    TempFolder document;
    TempFolder program;
    document.Write("img/wood.bmp", Bmp(24));
    program.Write("TEXTURE/img/wood.bmp", Bmp(24));
    EXPECT_TRUE(TextureCandidates("C:\\img\\wood.bmp", document.Path(), program.Path()).empty());
    const auto file = document.Path() / "img/wood.bmp";
    EXPECT_EQ(TextureCandidates(file.string(), "/nonexistent", program.Path()),
              std::vector<std::filesystem::path>{file});
}

TEST(TextureCandidates, OverLongNamesAreRejected) {
    TempFolder document;
    // Folders keep each component within the file system's own limit.
    const std::string folder(50, 'f');
    std::string name;
    while (name.size() + 51 < kMaxTextureNameLength - 4) {
        name += folder + "\\";
    }
    name += std::string(kMaxTextureNameLength - 4 - name.size(), 'a') + ".bmp";
    ASSERT_EQ(name.size(), kMaxTextureNameLength);
    document.Write(TextureNameToPath(name), Bmp(24));
    EXPECT_EQ(TextureCandidates(name, document.Path(), "/nonexistent").size(), 1u);
    const std::string tooLong = "a" + name;
    document.Write(TextureNameToPath(tooLong), Bmp(24));
    EXPECT_TRUE(TextureCandidates(tooLong, document.Path(), "/nonexistent").empty());
}

TEST(TextureCandidates, Cp932NamesFindUtf8Files) {
    TempFolder document;
    const auto file = document.Write("ソ/木.bmp", Bmp(24));
    // "ソ\木.bmp" in code page 932.
    EXPECT_EQ(TextureCandidates("\x83\x5C\\\x96\xD8.bmp", document.Path(), "/nonexistent"),
              std::vector<std::filesystem::path>{file});
}

TEST(LoadImageFile, UpperCaseExtensionUsesTheBitmapReader) {
    TempFolder folder;
    CMaterial m;
    ASSERT_TRUE(LoadImageFile(m, folder.Write("wood.BMP", Bmp(8))));
    EXPECT_EQ(m.image->BitCount(), 24);
    EXPECT_EQ(m.image->Row(0)[0], 1);
}

TEST(LoadImageFile, ThirtyTwoBitsKeepAlpha) {
    TempFolder folder;
    CMaterial m;
    ASSERT_TRUE(LoadImageFile(m, folder.Write("wood.bmp", Bmp(32))));
    EXPECT_EQ(m.image->BitCount(), 32);
}

TEST(LoadImageFile, ContentIsNotSniffed) {
    TempFolder folder;
    CMaterial m;
    EXPECT_FALSE(LoadImageFile(m, folder.Write("wood.jpeg", Bmp(24))));
    EXPECT_FALSE(LoadImageFile(m, folder.Write("archive.old/wood", Bmp(24))));
    EXPECT_FALSE(LoadImageFile(m, folder.Write("wood.tga", Bmp(24))));
}

TEST(LoadTexture, EmptyNameFailsSilently) {
    MessageRecorder recorder;
    CMaterial m;
    EXPECT_FALSE(LoadTexture(m, "/nonexistent"));
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(m.image, nullptr);
}

TEST(LoadTexture, RelativeNameBesideTheDocument) {
    MessageRecorder recorder;
    TempFolder document;
    document.Write("sub/wood.bmp", Bmp(24));
    CMaterial m;
    m.texture = "sub\\wood.bmp";
    ASSERT_TRUE(LoadTexture(m, document.Path()));
    EXPECT_EQ(m.texture, "sub\\wood.bmp");
    EXPECT_EQ(m.image->Width(), 2);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(LoadTexture, FailureSaysWhyAndKeepsTheName) {
    const std::pair<const char*, ImageFailure> cases[] = {
        {"C:\\img\\wood.bmp", ImageFailure::NotFound},
        {"wood.jpeg", ImageFailure::UnknownExtension},
        {"archive.old\\wood", ImageFailure::UnknownExtension},
        {"missing.bmp", ImageFailure::NotFound},
    };
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name);
        MessageRecorder recorder;
        TempFolder document;
        document.Write("wood.jpeg", Bmp(24));
        document.Write("archive.old/wood", Bmp(24));
        CMaterial m;
        m.texture = name;
        EXPECT_EQ(LoadTexture(m, document.Path()).failure, reason);
        EXPECT_TRUE(recorder.messages.empty());
        EXPECT_EQ(m.texture, name);
        EXPECT_TRUE(m.TextureMissing());
    }
}

TEST(LoadTexture, UndecodableFileBesideTheDocumentFallsBackToProgramTextures) {
    MessageRecorder recorder;
    TempFolder document;
    document.Write("wood.bmp", Bytes{'B', 'M'});
    CMaterial m;
    m.texture = "wood.bmp";
    const ImageStatus status = LoadTexture(m, document.Path());
    EXPECT_EQ(status.failure, ImageFailure::TruncatedData);
    EXPECT_EQ(status.file, document.Path() / "wood.bmp");
}

TEST(LoadTexture, CopiesKeepTheImageTheyShare) {
    TempFolder document;
    document.Write("a.bmp", Bmp(24));
    document.Write("b.bmp", Bmp(8));
    CMaterial m;
    m.texture = "a.bmp";
    ASSERT_TRUE(LoadTexture(m, document.Path()));
    const CMaterial copy = m;
    EXPECT_EQ(copy.image, m.image);
    m.texture = "b.bmp";
    ASSERT_TRUE(LoadTexture(m, document.Path()));
    EXPECT_NE(copy.image, m.image);
    EXPECT_EQ(copy.image->Width(), 2);
    m.ReleaseTexture();
    EXPECT_EQ(m.image, nullptr);
    EXPECT_FALSE(copy.image->Empty());
}

TEST(LoadTextures, EveryMaterialAgainstTheDocumentFolder) {
    MessageRecorder recorder;
    TempFolder document;
    document.Write("a.bmp", Bmp(24));
    CCentigrade scene;
    scene.SetDocumentFolder(document.Path() / "scene.qvl");
    scene.materials.resize(3);
    scene.materials[0].texture = "a.bmp";
    scene.materials[2].texture = "gone.bmp";
    const std::vector<TextureFailure> failures = LoadTextures(scene);
    EXPECT_NE(scene.materials[0].image, nullptr);
    EXPECT_EQ(scene.materials[1].image, nullptr);
    EXPECT_EQ(scene.materials[2].texture, "gone.bmp");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].texture, "gone.bmp");
}

}  // namespace

namespace {

TEST(OpenDocumentFile, LoadsTexturesBesideTheDocument) {
    MessageRecorder recorder;
    TempFolder folder;
    folder.Write("tex/wood.bmp", Bmp(8));
    CCentigrade saved;
    saved.materials.resize(2);
    saved.materials[0].texture = "TEX\\Wood.bmp";
    saved.materials[1].texture = "gone.bmp";
    SaveNativeDocument(folder.Path() / "scene.qvl", saved);

    CCentigrade scene;
    const DocumentLoadResult loaded = OpenDocumentFile(folder.Path() / "scene.qvl", scene);
    ASSERT_NE(scene.materials[0].image, nullptr);
    EXPECT_EQ(scene.materials[0].image->BitCount(), 24);
    EXPECT_EQ(loaded.textureFailures.size(), 1u);
    // Saved again, the document keeps the name of the texture that was missing.
    SaveNativeDocument(folder.Path() / "again.qvl", scene);
    CCentigrade again;
    OpenDocumentFile(folder.Path() / "again.qvl", again);
    EXPECT_EQ(again.materials[1].texture, "gone.bmp");
}

}  // namespace
