#include "edit/typed_values.h"

#include <gtest/gtest.h>

#include "edit/gizmo.h"
#include "support/mesh_generators.h"

namespace {

TEST(TypedValues, NumbersAreReadFromTheStartOfTheText) {
    EXPECT_EQ(ParseTypedNumber("10"), 10.0f);
    EXPECT_EQ(ParseTypedNumber("  12.5abc"), 12.5f);
    EXPECT_EQ(ParseTypedNumber("+3"), 3.0f);
    EXPECT_EQ(ParseTypedNumber("-2e1"), -20.0f);
    EXPECT_EQ(ParseTypedNumber(".5"), 0.5f);
    EXPECT_EQ(ParseTypedNumber("abc"), 0.0f);
    EXPECT_EQ(ParseTypedNumber(""), 0.0f);
    EXPECT_EQ(ParseTypedNumber("-"), 0.0f);
    EXPECT_EQ(ParseTypedNumber("1.5x"), 1.5f);
    EXPECT_EQ(ParseTypedNumber("2e"), 2.0f);
    EXPECT_EQ(ParseTypedNumber("0x10"), 0.0f);
}

// Nothing typed may become an infinity or NaN: a rotation by either would
// turn the selected vertices into NaN.
TEST(TypedValues, OnlyPlainFiniteDecimalsAreNumbers) {
    for (const char* text :
         {"+-3", "-+3", "inf", "-inf", "nan", "infinity", "NaN", "1e39", "-1e39", "1e999999"}) {
        EXPECT_EQ(ParseTypedNumber(text), 0.0f) << text;
    }
    EXPECT_EQ(ParseTypedNumber("3.4e38"), 3.4e38f);
}

TEST(TypedValues, ScaleFactorsNotAboveZeroMeanNoChange) {
    EXPECT_EQ(TypedScaleFactor(2), 2.0f);
    EXPECT_EQ(TypedScaleFactor(0), 1.0f);
    EXPECT_EQ(TypedScaleFactor(-3), 1.0f);
}

CCentigrade OneSelectedVertex(const CVector& p) {
    CModel m;
    m.vertices.push_back(p);
    m.vertices[0].selected = true;
    CCentigrade scene = MakeSceneWith(std::move(m));
    UpdateGizmo(scene);
    return scene;
}

TEST(TypedValues, RelativeMoveLeavesTheManipulatorBehind) {
    CCentigrade scene = OneSelectedVertex(CVector(1, 2, 3));
    TypedRelativeMove(scene, Axis::X, 10);
    EXPECT_EQ(scene.models[0].vertices[0].x, 11.0f);
    EXPECT_EQ(scene.gizmo.x, 1.0f);
}

TEST(TypedValues, AbsoluteMoveWithAnEmptyTextDoesNothing) {
    CCentigrade scene = OneSelectedVertex(CVector(1, 2, 3));
    EXPECT_FALSE(TypedAbsoluteMove(scene, Axis::Y, ""));
    EXPECT_EQ(scene.models[0].vertices[0].y, 2.0f);
    EXPECT_TRUE(TypedAbsoluteMove(scene, Axis::Y, "abc"));
    EXPECT_EQ(scene.models[0].vertices[0].y, 0.0f);
    EXPECT_TRUE(TypedAbsoluteMove(scene, Axis::Z, "7"));
    EXPECT_EQ(scene.models[0].vertices[0].z, 7.0f);
}

TEST(TypedValues, RotationTurnsAboutTheTypedCentre) {
    CCentigrade scene = OneSelectedVertex(CVector(1, 0, 0));
    TypedCentre(scene, Axis::X, 0);
    TypedRotation(scene, Axis::Z, 90);
    EXPECT_NEAR(scene.models[0].vertices[0].x, 0.0f, 1e-6f);
    EXPECT_NEAR(scene.models[0].vertices[0].y, 1.0f, 1e-6f);
}

TEST(TypedValues, ScaleUsesTheCentreAndIgnoresFactorsNotAboveZero) {
    CCentigrade scene = OneSelectedVertex(CVector(3, 0, 0));
    TypedCentre(scene, Axis::X, 1);
    TypedScale(scene, Axis::X, 2);
    EXPECT_EQ(scene.models[0].vertices[0].x, 5.0f);
    TypedScale(scene, Axis::X, -2);
    TypedScale(scene, Axis::X, 0);
    EXPECT_EQ(scene.models[0].vertices[0].x, 5.0f);
}

}  // namespace
