// The base of the property-pane pages: a form that follows the document and
// commits its edit boxes into it.
#pragma once

#include <QWidget>
#include <functional>

class CQuorvelDoc;
struct ChangeReport;

// What a form shows, and so which changes reload it.
enum class FormSubject {
    Scene,      // the tool's settings and the selection: any visible change
    Objects,    // the current object's fields
    Materials,  // the current material's fields
};

class CPanelForm : public QWidget {
    Q_OBJECT

public:
    CPanelForm(CQuorvelDoc& doc, const QString& accessibleName, QWidget* parent);
    ~CPanelForm() override;

    // Reloads the boxes from the scene: run when the page is created or
    // shown, and when the document changes what it shows.
    virtual void OnInitialUpdate() {}

protected:
    // Reloads the form after every change to `subject` but those the form
    // made itself (an object's or material's form only while shown).
    void FollowDocument(FormSubject subject);
    // Runs `edit`, a change one of the form's own boxes asks for: the form
    // keeps its boxes as the user left them instead of reloading for it.
    void OwnEdit(const std::function<void()>& edit);

    void showEvent(QShowEvent* event) override;

    CQuorvelDoc& doc_;

private:
    bool Shows(FormSubject subject, const ChangeReport& report) const;

    bool ownEdit_ = false;
};
