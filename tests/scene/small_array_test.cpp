#include "scene/small_array.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

TEST(SmallArray, StaysInlineUpToItsCapacityThenMovesToTheHeap) {
    SmallArray<int, 4> a;
    const int* inlineData = a.data();
    for (int i = 0; i < 4; ++i) {
        a.push_back(i);
    }
    EXPECT_EQ(a.data(), inlineData);
    a.push_back(4);
    EXPECT_NE(a.data(), inlineData);
    ASSERT_EQ(a.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(a[static_cast<std::size_t>(i)], i);
    }
}

TEST(SmallArray, KeepsItsHeaderSmall) {
    EXPECT_EQ(sizeof(SmallArray<int, 4>), 24u);
    EXPECT_EQ(sizeof(SmallArray<bool, 4>), 16u);
}

TEST(SmallArray, CopiesAndMovesOwnTheirElements) {
    SmallArray<std::string, 2> a{"one", "two", "three"};
    SmallArray<std::string, 2> b = a;
    b[0] = "changed";
    EXPECT_EQ(a[0], "one");
    SmallArray<std::string, 2> c = std::move(b);
    EXPECT_TRUE(b.empty());
    EXPECT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0], "changed");

    SmallArray<std::string, 2> inlineSource{"x"};
    SmallArray<std::string, 2> d = std::move(inlineSource);
    EXPECT_EQ(d[0], "x");
    EXPECT_TRUE(inlineSource.empty());
    d = a;
    EXPECT_EQ(d, a);
}

TEST(SmallArray, ResizeConstructsAndDestroys) {
    auto counter = std::make_shared<int>(0);
    SmallArray<std::shared_ptr<int>, 2> a;
    a.resize(5, counter);
    EXPECT_EQ(counter.use_count(), 6);
    a.resize(1);
    EXPECT_EQ(counter.use_count(), 2);
    a.clear();
    EXPECT_EQ(counter.use_count(), 1);
}

TEST(SmallArray, PushBackOfItsOwnElementWhileGrowing) {
    SmallArray<std::string, 1> a{"long enough to live on the heap, not in the string"};
    a.push_back(a[0]);
    a.push_back(a[1]);
    EXPECT_EQ(a[2], a[0]);
}
