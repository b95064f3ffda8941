// What the user reads about an open: the texture messages, in Japanese, naming
// the texture file and why it was refused. Sent through the message sink.
#pragma once

#include <string>

struct DocumentLoadResult;
struct TextureFailure;

// "テクスチャファイルの読み込みに失敗しました", then the texture and the reason.
std::string TextureFailureMessage(const TextureFailure& failure);

// Shows one message per material whose texture could not be loaded.
void ReportTextureFailures(const DocumentLoadResult& loaded);
