#include "document/quorvel_document.h"

#include <QFileInfo>

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

void CQuorvelDoc::UpdateAllViews(int hint) {
    emit viewsUpdateRequested(hint);
}

void CQuorvelDoc::RequestPropertyPage(int page) {
    emit propertyPageRequested(page);
}

void CQuorvelDoc::RequestRedraw() {
    emit redrawRequested();
}
