#include "document/quorvel_document.h"

#include <QFileInfo>
#include <filesystem>

#include "exchange/document_files.h"
#include "scene/archive.h"

namespace {

std::filesystem::path NativePath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

bool IsReadableExtension(const std::string& ext) {
    return ext == "qvl" || ext == "mqo" || ext == "mqoz";
}

}  // namespace

CQuorvelDoc::CQuorvelDoc(QObject* parent) : QObject(parent) {}

void CQuorvelDoc::SetPathName(const QString& path) {
    if (path == pathName_) {
        return;
    }
    pathName_ = path;
    emit pathChanged(pathName_);
}

QString CQuorvelDoc::Title() const {
    return pathName_.isEmpty() ? QStringLiteral("無題") : QFileInfo(pathName_).fileName();
}

void CQuorvelDoc::SetModifiedFlag(bool modified) {
    if (modified == modified_) {
        return;
    }
    modified_ = modified;
    emit modifiedChanged(modified_);
}

void CQuorvelDoc::NewDocument() {
    scene_.ReleaseTextures();
    scene_.Reset();
    scene_.toolMode = ToolNone;
    SetPathName(QString());
    SetModifiedFlag(false);
    RequestPropertyPage(PageEmpty);
    UpdateAllViews(HintAll);
}

FileOutcome CQuorvelDoc::OpenFile(const QString& path) {
    const std::filesystem::path file = NativePath(path);
    const std::string ext = LowerExtension(file);
    if (!IsReadableExtension(ext)) {
        return {QStringLiteral("%1 は開けない形式です。").arg(path)};
    }
    if (!QFileInfo::exists(path)) {
        return {QStringLiteral("%1 が見つかりませんでした。").arg(path)};
    }
    try {
        OpenDocumentFile(file, scene_);
    } catch (const ArchiveEndOfFile& e) {
        return {QStringLiteral("%1 の末尾以降にアクセスしようとしました。\n%2")
                    .arg(path, QString::fromUtf8(e.what()))};
    } catch (const ArchiveError& e) {
        return {QStringLiteral("ドキュメントを開くことに失敗しました。\n%1")
                    .arg(QString::fromUtf8(e.what()))};
    }
    if (ext == "qvl") {
        SetPathName(path);
        SetModifiedFlag(false);
    }
    UpdateAllViews(HintAll);
    return {};
}

FileOutcome CQuorvelDoc::SaveFile(const QString& path) {
    const std::filesystem::path file = NativePath(path);
    try {
        SaveDocumentFile(file, scene_);
    } catch (const ArchiveError& e) {
        return {QStringLiteral("ドキュメントの保存に失敗しました。\n%1")
                    .arg(QString::fromUtf8(e.what()))};
    }
    if (LowerExtension(file) == "qvl") {
        scene_.SetDocumentFolder(std::filesystem::absolute(file));
        SetPathName(path);
        SetModifiedFlag(false);
    }
    return {};
}

void CQuorvelDoc::UpdateAllViews(int hint) {
    emit viewsUpdateRequested(hint);
}

void CQuorvelDoc::RequestPropertyPage(int page) {
    emit propertyPageRequested(page);
}

void CQuorvelDoc::ModelPicked(int index) {
    emit currentModelPicked(index);
}
