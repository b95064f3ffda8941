#include "scene/face_rules.h"

#include <gtest/gtest.h>

namespace {

CFace Face(std::initializer_list<int> indices, std::size_t uvs = 0) {
    CFace f;
    f.indices = indices;
    f.edgeSelected.resize(f.indices.size(), false);
    f.uvs.resize(uvs);
    return f;
}

TEST(FaceRules, EdgeCountOfEveryCornerCount) {
    const std::size_t expected[] = {0, 0, 1, 3, 4, 0};
    for (std::size_t n = 0; n < std::size(expected); ++n) {
        EXPECT_EQ(EdgeCount(n), expected[n]) << n << " corners";
    }
}

TEST(FaceRules, ValidFacesKeepCountRangeAndMatchingLists) {
    struct Case {
        CFace face;
        bool valid;
    };
    const Case cases[] = {
        {Face({0, 1}), true},
        {Face({0, 1, 2}, 3), true},
        {Face({0, 1, 2, 3}), true},
        {Face({0}), false},
        {Face({0, 1, 2, 3, 0}), false},
        {Face({0, 1, 4}), false},
        {Face({-1, 1, 2}), false},
        {Face({0, 1, 2}, 2), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidFace(c.face, 4), c.valid)
            << c.face.indices.size() << " corners, " << c.face.uvs.size() << " UVs";
    }
    CFace missingFlags = Face({0, 1, 2});
    missingFlags.edgeSelected.clear();
    EXPECT_FALSE(IsValidFace(missingFlags, 4));
}

}  // namespace
