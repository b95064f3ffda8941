// The names of the steps as the Edit menu shows them ("元に戻す: 移動").
#pragma once

#include <string_view>

namespace step_name {

inline constexpr std::string_view kMove = "移動";
inline constexpr std::string_view kRotate = "回転";
inline constexpr std::string_view kScale = "拡大縮小";
inline constexpr std::string_view kDeleteFace = "面削除";
inline constexpr std::string_view kPaintMaterial = "材質塗り";
inline constexpr std::string_view kMaterialEdit = "材質の変更";
inline constexpr std::string_view kObjectEdit = "オブジェクトの変更";
inline constexpr std::string_view kImport = "読み込み";
inline constexpr std::string_view kCut = "切り取り";
inline constexpr std::string_view kPaste = "貼り付け";

}  // namespace step_name

// The step a manipulator drag or a typed value of the move, rotate or scale
// form makes with `toolMode`; a move for any other tool.
std::string_view TransformStepName(int toolMode);
