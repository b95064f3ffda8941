// The base of the property-pane pages: a form that follows the document and
// commits its edit boxes into it.
#pragma once

#include <QWidget>

class CQuorvelDoc;

class CPanelForm : public QWidget {
    Q_OBJECT

public:
    CPanelForm(CQuorvelDoc& doc, const QString& accessibleName, QWidget* parent);
    ~CPanelForm() override;

    // Reloads the boxes from the scene: run when the page is created, shown
    // again, or a document is created or opened.
    virtual void OnInitialUpdate() {}

protected:
    // Runs OnInitialUpdate whenever the document broadcasts `hint`; with
    // `onlyWhenShown`, only while this page is the one shown.
    void ReloadOnHint(int hint, bool onlyWhenShown);

    CQuorvelDoc& doc_;
};
