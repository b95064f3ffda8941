// The document: owns the scene, the path and the modified flag. Every change
// that comes from the user interface goes through it, and views and panels
// follow it through its signals instead of calling each other.
#pragma once

#include <QObject>
#include <QString>

#include "scene/centigrade.h"

// What "update all views" asks a view or panel to reload.
enum UpdateHint {
    HintAll = 0,        // everything: lists rebuilt, forms reloaded, view redrawn
    HintObjects = 1,    // the object panels
    HintMaterials = 2,  // the material panels
};

// The pages of the property pane, in the order of the tool commands.
enum PropertyPage {
    PageEmpty = 0,
    PageObject = 1,
    PageMaterial = 2,
    PageSelect = 3,
    PageMove = 4,
    PageRotate = 5,
    PageScale = 6,
};
inline constexpr int kPropertyPageCount = 7;

// The outcome of reading or writing a file: empty `error` on success, else the
// message for the user, naming the file and the cause.
struct FileOutcome {
    QString error;
    bool Succeeded() const { return error.isEmpty(); }
};

class CQuorvelDoc : public QObject {
    Q_OBJECT

public:
    explicit CQuorvelDoc(QObject* parent = nullptr);

    CCentigrade& Scene() { return scene_; }
    const CCentigrade& Scene() const { return scene_; }

    // --- The file
    // Empty for a document that was never saved or opened as native.
    const QString& PathName() const { return pathName_; }
    void SetPathName(const QString& path);
    // The file name without folder, or "無題" without a path.
    QString Title() const;

    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true);

    // Empties the scene and forgets the path; the tool returns to none and the
    // property pane to its empty page.
    void NewDocument();
    // Reads `path`: a native document replaces the scene and becomes the
    // document's file; a Metasequoia document is added to the scene and leaves
    // the path and the modified flag alone. A failure leaves the scene as it was.
    FileOutcome OpenFile(const QString& path);
    // Writes the scene to `path` in the format its extension names. A native
    // save makes `path` the document's file and clears the modified flag; a
    // Metasequoia export changes neither. A failure leaves the flag set and
    // the previous file intact.
    FileOutcome SaveFile(const QString& path);

    // --- Views and panels
    void UpdateAllViews(int hint);
    // Asks the frame to show a page of the property pane; nothing happens
    // while no frame listens.
    void RequestPropertyPage(int page);
    // A pick in the 3D view made object `index` current; the object list follows.
    void ModelPicked(int index);

signals:
    void viewsUpdateRequested(int hint);
    void modifiedChanged(bool modified);
    void pathChanged(const QString& path);
    void propertyPageRequested(int page);
    void currentModelPicked(int index);

private:
    CCentigrade scene_;
    QString pathName_;
    bool modified_ = false;
};
