#include "plugin/host/container.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(HostContainer, MissingParametersReadAsTheirDefault) {
    const HostContainer c;
    EXPECT_TRUE(c.getBool(1, true));
    EXPECT_EQ(c.getInt(1, 7), 7);
    EXPECT_EQ(c.getReal(1, 2.5f), 2.5f);
    EXPECT_EQ(c.getVector(1, Vector(1, 2, 3)), Vector(1, 2, 3));
    EXPECT_EQ(c.getString(1, "x"), "x");
    EXPECT_EQ(c.getFilename(1, HostFilename("a")).text(), "a");
    EXPECT_EQ(c.getLink(1, nullptr), nullptr);
}

TEST(HostContainer, NumbersConvertAmongBoolIntegerAndReal) {
    HostContainer c;
    c.setReal(1, 1.0f);
    c.setInt(2, 0);
    c.setReal(3, -2.75f);
    c.setBool(4, true);
    c.setReal(5, 3e10f);
    c.setReal(6, std::numeric_limits<float>::quiet_NaN());
    // A flag written with the real setter still reads as on.
    EXPECT_TRUE(c.getBool(1));
    EXPECT_FALSE(c.getBool(2, true));
    EXPECT_EQ(c.getInt(3), -2);
    EXPECT_EQ(c.getInt(4), 1);
    EXPECT_EQ(c.getReal(4), 1.0f);
    EXPECT_EQ(c.getInt(5), INT32_MAX);
    EXPECT_EQ(c.getInt(6, 9), 0);
}

TEST(HostContainer, OtherTypeMismatchesReadAsTheDefault) {
    HostContainer c;
    c.setString(1, "text");
    c.setVector(2, Vector(1, 2, 3));
    EXPECT_EQ(c.getInt(1, 5), 5);
    EXPECT_EQ(c.getVector(1, Vector(9, 9, 9)), Vector(9, 9, 9));
    EXPECT_EQ(c.getString(2, "d"), "d");
    EXPECT_EQ(c.type(2), HostValueType::Vector);
    EXPECT_EQ(c.type(3), HostValueType::None);
}

TEST(HostContainer, CopiesAreIndependentAndCompareByValue) {
    HostContainer a;
    a.setInt(1, 1);
    HostContainer b = a;
    b.setInt(1, 2);
    EXPECT_EQ(a.getInt(1), 1);
    EXPECT_FALSE(a == b);
    b.setInt(1, 1);
    EXPECT_TRUE(a == b);
}

} // namespace
