// A titled group of three edit boxes labelled X, Y and Z, the building block
// of the move, rotate and scale forms.
#pragma once

#include <QString>
#include <array>

#include "edit/typed_values.h"

class CCommitLineEdit;
class QLayout;
class QWidget;

inline constexpr std::array<Axis, 3> kAxes = {Axis::X, Axis::Y, Axis::Z};

struct AxisBoxes {
    std::array<CCommitLineEdit*, 3> boxes{};

    CCommitLineEdit* Box(Axis axis) const { return boxes[static_cast<std::size_t>(axis)]; }
    void SetAllTexts(const QString& text) const;
};

// Adds the group to `layout`; the boxes are named "TITLE X" and so on.
AxisBoxes AddAxisGroup(QWidget* owner, QLayout* layout, const QString& title);
