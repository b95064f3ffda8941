// What the user reads about a texture that could not be loaded, in Japanese,
// naming the texture file and why it was refused.
#pragma once

#include <string>

struct TextureFailure;

// "テクスチャファイルの読み込みに失敗しました", then the texture and the reason.
std::string TextureFailureMessage(const TextureFailure& failure);
