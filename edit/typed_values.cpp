#include "edit/typed_values.h"

#include <charconv>

#include "scene/centigrade.h"

float ParseTypedNumber(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos) {
        return 0.0f;
    }
    // from_chars takes a minus sign but no plus sign.
    if (text[start] == '+') {
        ++start;
    }
    float value = 0.0f;
    const char* first = text.data() + start;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    return error == std::errc() && end != first ? value : 0.0f;
}

void TypedRelativeMove(CCentigrade& scene, Axis axis, float value) {
    scene.MoveSelection(axis == Axis::X ? value : 0.0f, axis == Axis::Y ? value : 0.0f,
                        axis == Axis::Z ? value : 0.0f);
}

bool TypedAbsoluteMove(CCentigrade& scene, Axis axis, std::string_view text) {
    if (text.empty()) {
        return false;
    }
    const float value = ParseTypedNumber(text);
    switch (axis) {
        case Axis::X:
            scene.SetSelectionX(value);
            break;
        case Axis::Y:
            scene.SetSelectionY(value);
            break;
        case Axis::Z:
            scene.SetSelectionZ(value);
            break;
    }
    return true;
}

void TypedRotation(CCentigrade& scene, Axis axis, float degrees) {
    switch (axis) {
        case Axis::X:
            scene.RotateSelectionX(degrees);
            break;
        case Axis::Y:
            scene.RotateSelectionY(degrees);
            break;
        case Axis::Z:
            scene.RotateSelectionZ(degrees);
            break;
    }
}

void TypedScale(CCentigrade& scene, Axis axis, float value) {
    const float factor = TypedScaleFactor(value);
    switch (axis) {
        case Axis::X:
            scene.ScaleSelectionX(factor);
            break;
        case Axis::Y:
            scene.ScaleSelectionY(factor);
            break;
        case Axis::Z:
            scene.ScaleSelectionZ(factor);
            break;
    }
}

void TypedCentre(CCentigrade& scene, Axis axis, float value) {
    switch (axis) {
        case Axis::X:
            scene.gizmo.x = value;
            break;
        case Axis::Y:
            scene.gizmo.y = value;
            break;
        case Axis::Z:
            scene.gizmo.z = value;
            break;
    }
}
