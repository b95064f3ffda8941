#pragma once

// The window title, the settings key and the caption of message boxes.
inline constexpr const char* kProductTitle = "ポリゴンモデラー「Quorvel」";
inline constexpr const char* kApplicationName = "Quorvel";
