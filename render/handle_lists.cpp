#include "render/handle_lists.h"

#include <cstddef>

#include "render/gl_api.h"
#include "scene/centigrade.h"
#include "view/manipulator_tables.h"

namespace {

constexpr float kRed[3] = {1, 0, 0};
constexpr float kGreen[3] = {0, 1, 0};
constexpr float kBlue[3] = {0, 0, 1};
constexpr float kYellow[3] = {1, 1, 0};
constexpr float kGrey[3] = {0.5f, 0.5f, 0.5f};
// (91, 105, 91) / 255
constexpr float kGridColour[3] = {0.35686275f, 0.4117647f, 0.35686275f};

constexpr int kGridHalfSize = 500;
constexpr int kGridStep = 50;
constexpr float kAxisLength = 600;
constexpr float kHandleBase = 80;
constexpr std::size_t kCentreCube = 3;

void Vertex(const CVector& p) {
    glVertex3f(p.x, p.y, p.z);
}

// The triangles of one shape, whose points start at `first` in `points`.
template <std::size_t PointCount, std::size_t TriangleCount>
void Triangles(const std::array<CVector, PointCount>& points, std::size_t first,
               const std::array<HandleTriangle, TriangleCount>& triangles) {
    for (const HandleTriangle& t : triangles) {
        for (int corner : t) {
            Vertex(points[first + static_cast<std::size_t>(corner)]);
        }
    }
}

// One batch per colour, as every shape of a colour goes in one begin/end.
template <std::size_t PointCount, std::size_t TriangleCount>
void ColouredShape(const float* colour, const std::array<CVector, PointCount>& points,
                   std::size_t first, const std::array<HandleTriangle, TriangleCount>& triangles) {
    glColor3fv(colour);
    glBegin(GL_TRIANGLES);
    Triangles(points, first, triangles);
    glEnd();
}

void CentreCube() {
    ColouredShape(kYellow, handleCubePoints, kCentreCube * kCubePointsPerCube, handleCubeTriangles);
}

// Grey lines from the centre to the base of each axis handle.
void HandleStems() {
    glColor3fv(kGrey);
    glBegin(GL_LINES);
    glVertex3f(0, 0, 0);
    glVertex3f(kHandleBase, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, kHandleBase, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, kHandleBase);
    glEnd();
}

const float* AxisColour(std::size_t axis) {
    static constexpr const float* colours[3] = {kRed, kGreen, kBlue};
    return colours[axis];
}

}  // namespace

void HandleLists::Build() {
    lists_ = GlDisplayLists(4);
    if (lists_[0] == 0) {
        return;
    }
    void (*const contents[4])() = {BuildAxisList, BuildMoveHandleList, BuildRotateHandleList,
                                   BuildScaleHandleList};
    for (int i = 0; i < 4; ++i) {
        glNewList(lists_[i], GL_COMPILE);
        contents[i]();
        glEndList();
    }
}

void HandleLists::CallAxis() const {
    if (lists_[0] != 0) {
        glCallList(lists_[0]);
    }
}

void HandleLists::CallManipulator(int toolMode) const {
    if (lists_[0] == 0) {
        return;
    }
    switch (toolMode) {
        case ToolMove:
            glCallList(lists_[1]);
            break;
        case ToolRotate:
            glCallList(lists_[2]);
            break;
        case ToolScale:
            glCallList(lists_[3]);
            break;
        default:
            break;
    }
}

void BuildAxisList() {
    glNormal3f(0, 0, 1);
    glBegin(GL_LINES);
    glColor3fv(kRed);
    glVertex3f(0, 0, 0);
    glVertex3f(kAxisLength, 0, 0);
    glColor3fv(kGreen);
    glVertex3f(0, 0, 0);
    glVertex3f(0, kAxisLength, 0);
    glColor3fv(kBlue);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, kAxisLength);

    glColor3fv(kGridColour);
    glVertex3f(-kGridHalfSize, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, -kGridHalfSize);
    glVertex3f(0, 0, 0);
    for (int a = -kGridHalfSize; a <= kGridHalfSize; a += kGridStep) {
        if (a != 0) {
            glVertex3f(static_cast<float>(a), 0, -kGridHalfSize);
            glVertex3f(static_cast<float>(a), 0, kGridHalfSize);
        }
    }
    for (int a = -kGridHalfSize; a <= kGridHalfSize; a += kGridStep) {
        if (a != 0) {
            glVertex3f(-kGridHalfSize, 0, static_cast<float>(a));
            glVertex3f(kGridHalfSize, 0, static_cast<float>(a));
        }
    }
    glEnd();
}

void BuildMoveHandleList() {
    glNormal3f(0, 0, 1);
    for (std::size_t axis = 0; axis < 3; ++axis) {
        ColouredShape(AxisColour(axis), handleArrowPoints, axis * kArrowPointsPerAxis,
                      handleArrowTriangles);
    }
    CentreCube();
    HandleStems();
}

void BuildRotateHandleList() {
    glNormal3f(0, 0, 1);
    for (std::size_t axis = 0; axis < 3; ++axis) {
        ColouredShape(AxisColour(axis), handleRingPoints, axis * kRingPointsPerAxis,
                      handleRingTriangles);
    }
    CentreCube();
    HandleStems();
}

void BuildScaleHandleList() {
    glNormal3f(0, 0, 1);
    for (std::size_t cube = 0; cube < 3; ++cube) {
        ColouredShape(AxisColour(cube), handleCubePoints, cube * kCubePointsPerCube,
                      handleCubeTriangles);
    }
    CentreCube();
    HandleStems();
}
