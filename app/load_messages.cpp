#include "app/load_messages.h"

#include "exchange/document_files.h"
#include "scene/cp932.h"
#include "scene/message_sink.h"

namespace {

const char* FailureText(ImageFailure failure) {
    switch (failure) {
        case ImageFailure::None:
            return "";
        case ImageFailure::NotFound:
            return "ファイルが見つかりません";
        case ImageFailure::CannotOpen:
            return "ファイルを開けません";
        case ImageFailure::UnknownExtension:
            return "この拡張子の画像は読めません";
        case ImageFailure::UnsupportedVariant:
            return "対応していない種類の画像です";
        case ImageFailure::DamagedHeader:
            return "ヘッダーが壊れています";
        case ImageFailure::TruncatedData:
            return "データが途中で切れています";
        case ImageFailure::DamagedData:
            return "データが壊れています";
        case ImageFailure::SizeLimit:
            return "大きすぎます";
        case ImageFailure::OutOfMemory:
            return "メモリが足りません";
        case ImageFailure::Cancelled:
            return "中断されました";
    }
    return "";
}

}  // namespace

std::string TextureFailureMessage(const TextureFailure& failure) {
    std::string message = "テクスチャファイルの読み込みに失敗しました\n";
    message +=
        failure.status.file.empty() ? Cp932ToUtf8(failure.texture) : failure.status.file.string();
    message += ": ";
    message += FailureText(failure.status.failure);
    if (!failure.status.detail.empty()) {
        message += " (" + failure.status.detail + ")";
    }
    return message;
}

void ReportTextureFailures(const DocumentLoadResult& loaded) {
    for (const TextureFailure& failure : loaded.textureFailures) {
        ShowMessage(TextureFailureMessage(failure));
    }
}
