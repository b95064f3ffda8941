#include "document/file_failure_text.h"

#include <sys/stat.h>

#include "document/native_paths.h"
#include "scene/document_error.h"

namespace {

const char* StepText(FileStep step) {
    switch (step) {
        case FileStep::None:
            return "";
        case FileStep::Create:
            return "作成できません";
        case FileStep::CreateTemporary:
            return "一時ファイルを作成できません";
        case FileStep::Write:
            return "書き込めません";
        case FileStep::Replace:
            return "置き換えられません";
        case FileStep::FlushFolder:
            return "フォルダの内容をディスクに書き出せません";
        case FileStep::Lock:
            return "ロックファイルを保持できません";
        case FileStep::Pack:
            return "圧縮ファイルを作成できません";
        case FileStep::Open:
            return "開けません";
        case FileStep::Read:
            return "読み込めません";
        case FileStep::NotRegularFile:
            return "通常のファイルではありません";
        case FileStep::TooLarge:
            return "ファイルが大きすぎます";
        case FileStep::NameWithLineBreak:
            return "改行を含む名前の OBJ ファイルはマテリアルファイルを指定できません";
        case FileStep::TooManyTriangles:
            return "三角形が多すぎて STL ファイルに書き込めません";
        case FileStep::TooLargeForFormat:
            return ".glb ファイルに収まる 4 GB を超えています";
    }
    return "";
}

bool Reads(FileStep step) {
    return step == FileStep::Open || step == FileStep::Read;
}

QString ErrorText(const FileFailure& failure) {
    switch (failure.Kind()) {
        case FileErrorKind::None:
            return {};
        case FileErrorKind::NoSpace:
            return QStringLiteral("ディスクの空き容量が足りません");
        case FileErrorKind::PermissionDenied:
            return Reads(failure.step) ? QStringLiteral("読み取りの許可がありません")
                                       : QStringLiteral("書き込みの許可がありません");
        case FileErrorKind::ReadOnlyFileSystem:
            return QStringLiteral("読み取り専用のファイルシステムです");
        case FileErrorKind::NotFound:
            return QStringLiteral("ファイルまたはフォルダが見つかりません");
        case FileErrorKind::NotAFolder:
            return QStringLiteral("パスの途中にフォルダではないファイルがあります");
        case FileErrorKind::IsAFolder:
            return QStringLiteral("フォルダです");
        case FileErrorKind::NameTooLong:
            return QStringLiteral("名前が長すぎます");
        case FileErrorKind::FileTooLarge:
            return QStringLiteral("書き込めるファイルの大きさを超えています");
        case FileErrorKind::Other:
            return QStringLiteral("システムのエラーです（エラー番号 %1）").arg(failure.error);
    }
    return {};
}

// What only the step knows: the kind of file in the way, the sizes.
QString StepDetail(const FileFailure& failure) {
    if (failure.step == FileStep::TooLarge) {
        return QStringLiteral("%1 MB、上限は %2 MB")
            .arg(failure.size >> 20)
            .arg(failure.limit >> 20);
    }
    if (failure.step != FileStep::NotRegularFile) {
        return {};
    }
    switch (failure.fileType) {
        case S_IFDIR:
            return QStringLiteral("フォルダです");
        case S_IFIFO:
            return QStringLiteral("FIFO です");
        case S_IFCHR:
        case S_IFBLK:
            return QStringLiteral("デバイスです");
        case S_IFSOCK:
            return QStringLiteral("ソケットです");
        default:
            return {};
    }
}

}  // namespace

QString FileFailureText(const FileFailure& failure) {
    QString text =
        FromNative(failure.path) + QStringLiteral(": ") + QString::fromUtf8(StepText(failure.step));
    QString cause = ErrorText(failure);
    if (cause.isEmpty()) {
        cause = StepDetail(failure);
    }
    if (!cause.isEmpty()) {
        text += QStringLiteral("（") + cause + QStringLiteral("）");
    }
    return text;
}

QString DocumentErrorText(const DocumentError& error) {
    return error.Failure() ? FileFailureText(error.Failure()) : QString::fromUtf8(error.what());
}
