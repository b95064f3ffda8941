// quorvel-cli decode IMAGE OUT: what the modeler makes of one texture file,
// written as a binary PPM (no alpha) or PAM (with alpha), top row first.
#include <cstdio>
#include <fstream>
#include <string>

#include "cli/commands.h"
#include "image/dib_stream.h"
#include "image/image_status.h"
#include "image/texture_loader.h"
#include "scene/material.h"

namespace {

bool WriteNetpbm(const std::string& path, const DibStream& image) {
    const int width = image.Width();
    const int height = image.AbsHeight();
    const bool alpha = image.BitCount() == 32;
    const int channels = alpha ? 4 : 3;
    std::ofstream out(path, std::ios::binary);
    if (alpha) {
        out << "P7\nWIDTH " << width << "\nHEIGHT " << height
            << "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    } else {
        out << "P6\n" << width << " " << height << "\n255\n";
    }
    std::string row(static_cast<std::size_t>(width) * static_cast<std::size_t>(channels), '\0');
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* pixel = image.Row(y);
        for (int x = 0; x < width; ++x, pixel += channels) {
            char* rgb = &row[static_cast<std::size_t>(x * channels)];
            rgb[0] = static_cast<char>(pixel[2]);
            rgb[1] = static_cast<char>(pixel[1]);
            rgb[2] = static_cast<char>(pixel[0]);
            if (alpha) {
                rgb[3] = static_cast<char>(pixel[3]);
            }
        }
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int RunDecode(const Arguments& args) {
    if (args.size() != 2) {
        return Fail(2, "usage: quorvel-cli decode IMAGE OUT");
    }
    const std::string& input = args[0];
    CMaterial material;
    if (const ImageStatus status = LoadImageFile(material, input); !status) {
        return Fail(1, input + ": " + DescribeImageStatus(status));
    }
    if (!WriteNetpbm(args[1], *material.image)) {
        return Fail(1, args[1] + ": cannot write");
    }
    return 0;
}
