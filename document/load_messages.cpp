#include "document/load_messages.h"

#include "exchange/document_files.h"
#include "exchange/shown_names.h"

namespace {

const char* FailureText(ImageFailure failure) {
    switch (failure) {
        case ImageFailure::None:
            return "";
        case ImageFailure::NotFound:
            return "ファイルが見つかりません";
        case ImageFailure::CannotOpen:
            return "ファイルを開けません";
        case ImageFailure::NotRegularFile:
            return "通常のファイルではありません";
        case ImageFailure::Encrypted:
            return "暗号化されています";
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

// Where the name was looked for, when no file was found. The readers' own
// details are English, for logs and the command-line tool, and stay out of
// the window's messages.
const char* WhereLooked(const ImageStatus& status) {
    if (!status.file.empty()) {
        return "";
    }
    switch (status.failure) {
        case ImageFailure::NotFound:
            return "（ドキュメントと同じフォルダにも、プログラムの TEXTURE "
                   "フォルダにもありません）";
        case ImageFailure::SizeLimit:
            return "（名前が長すぎます）";
        default:
            return "";
    }
}

}  // namespace

std::string TextureFailureMessage(const TextureFailure& failure) {
    std::string message = "テクスチャファイルの読み込みに失敗しました\n";
    // Names come from the document: their control characters are shown as escapes.
    message += failure.status.file.empty() ? ShownName(failure.texture)
                                           : EscapeControlCharacters(failure.status.file.string());
    message += ": ";
    message += FailureText(failure.status.failure);
    message += WhereLooked(failure.status);
    return message;
}
