// OBJ and MTL files from old Macs end their lines with CR alone: they read as
// the same scene as with LF or CR LF, also across the reader's blocks.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "hostile_files.h"

namespace {

// An OBJ file of `rows` triangles in one strip, with its library.
std::string Strip(int rows) {
    std::string obj = "mtllib a.mtl\no strip\nusemtl wood\n";
    for (int i = 0; i <= rows + 1; ++i) {
        obj += "v " + std::to_string(i) + " " + std::to_string(i % 2) + " 0\n";
    }
    for (int i = 1; i <= rows; ++i) {
        obj += "f " + std::to_string(i) + " " + std::to_string(i + 1) + " " +
               std::to_string(i + 2) + "\n";
    }
    return obj;
}

std::string WithLineEnds(std::string text, const std::string& end) {
    std::string converted;
    for (char c : text) {
        converted += c == '\n' ? end : std::string(1, c);
    }
    return converted;
}

}  // namespace

TEST(LineEnds, CarriageReturnsAloneEndLinesLikeLineFeeds) {
    const std::string mtl = "newmtl wood\nKd 0.5 0.25 1\n";
    for (int rows : {3, 200000}) {
        nlohmann::json first;
        for (const std::string end : {"\n", "\r\n", "\r"}) {
            TempFolder folder;
            folder.Write("a.mtl", WithLineEnds(mtl, end));
            const auto obj = folder.Write("a.obj", WithLineEnds(Strip(rows), end));
            const BoundedRun info = RunWithinBounds({"info", obj, "--json"}, "line ends");
            ASSERT_EQ(info.status, 0) << info.err;
            const nlohmann::json read = nlohmann::json::parse(info.out);
            ASSERT_EQ(read["objects"].size(), 1u) << "rows " << rows << ", line end " << end.size();
            EXPECT_EQ(read["objects"][0]["faceCount"], rows);
            EXPECT_EQ(read["materials"][0]["name"], "wood");
            EXPECT_EQ(read["repairs"], 0);
            if (first.is_null()) {
                first = read;
            }
            EXPECT_EQ(read, first) << "rows " << rows;
        }
    }
}
