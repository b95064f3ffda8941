// Every reader says why it refused a typical damaged file.
#include <gtest/gtest.h>

#include "image/dib_stream.h"
#include "image/image_formats.h"
#include "image_builders.h"

namespace {

Bytes Truncated(Bytes file, std::size_t drop) {
    file.resize(file.size() - drop);
    return file;
}

BmpFields TwoByTwo(int bitCount) {
    BmpFields fields;
    fields.width = 2;
    fields.height = 2;
    fields.bitCount = bitCount;
    fields.pixels.assign(DibStream::StrideFor(bitCount, 2) * 2, 7);
    return fields;
}

TEST(RefusalReasons, EachReaderNamesTheCauseOfATypicalDamage) {
    BmpFields os2 = TwoByTwo(24);
    os2.infoSize = 12;
    BmpFields huge = TwoByTwo(24);
    huge.width = 1 << 20;
    huge.height = 1 << 20;
    TgaFields tga;
    tga.width = 2;
    tga.height = 2;
    tga.data.assign(12, 9);
    TgaFields greyRunLength = tga;
    greyRunLength.imageType = 11;
    greyRunLength.pixelDepth = 8;
    Bytes ppm;
    PutText(ppm, "P6\n2 2\n255\n123456789");
    Bytes pbm;
    PutText(pbm, "P4\n2 2\n\x00\x00");
    Bytes form;
    PutText(form, "ILBM");
    const Bytes header = IffChunk("BMHD", IlbmBitmapHeader(2, 2, 1, 0));
    form.insert(form.end(), header.begin(), header.end());
    const Bytes noBody = IffChunk("FORM", form);
    const Bytes pngStart = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H'};
    Bytes notJpeg;
    PutText(notJpeg, "GIF89a and more");

    struct Case {
        const char* what;
        ImageDecoder decode;
        Bytes file;
        ImageFailure expected;
    };
    const Case cases[] = {
        {"BMP cut short", DecodeBMP, Truncated(MakeBmp(TwoByTwo(24)), 5),
         ImageFailure::TruncatedData},
        {"BMP with an OS/2 header", DecodeBMP, MakeBmp(os2), ImageFailure::UnsupportedVariant},
        {"BMP of 2^40 pixels", DecodeBMP, MakeBmp(huge), ImageFailure::SizeLimit},
        {"TGA cut short", DecodeTGA, Truncated(MakeTga(tga), 3), ImageFailure::TruncatedData},
        {"run-length grey TGA", DecodeTGA, MakeTga(greyRunLength),
         ImageFailure::UnsupportedVariant},
        {"PPM cut short", DecodePNM, ppm, ImageFailure::TruncatedData},
        {"PBM", DecodePNM, pbm, ImageFailure::UnsupportedVariant},
        {"ILBM without BODY", DecodeILBM, noBody, ImageFailure::DamagedData},
        {"PNG cut short", DecodePNG, pngStart, ImageFailure::TruncatedData},
        {"not a JPEG", DecodeJPG, notJpeg, ImageFailure::DamagedHeader},
    };
    for (const Case& c : cases) {
        DibStream image;
        const ImageStatus status = c.decode(c.file, image, nullptr, nullptr);
        EXPECT_EQ(status.failure, c.expected) << c.what << ": " << DescribeImageStatus(status);
        EXPECT_TRUE(image.Empty()) << c.what;
    }
}

TEST(RefusalReasons, FilesWithoutReaderOrContentsAreNamedSo) {
    TempFolder folder;
    DibStream image;
    EXPECT_EQ(DecodeImageFile(folder.Write("a.gif", Bytes{1, 2}), image).failure,
              ImageFailure::UnknownExtension);
    EXPECT_EQ(DecodeImageFile(folder.Path() / "missing.bmp", image).failure,
              ImageFailure::CannotOpen);
}

}  // namespace
