#include "history/step_names.h"

#include "scene/centigrade.h"

std::string_view TransformStepName(int toolMode) {
    switch (toolMode) {
        case ToolRotate:
            return step_name::kRotate;
        case ToolScale:
            return step_name::kScale;
        default:
            return step_name::kMove;
    }
}
