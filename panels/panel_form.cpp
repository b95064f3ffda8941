#include "panels/panel_form.h"

#include <utility>

#include "document/quorvel_document.h"
#include "panels/commit_line_edit.h"

CPanelForm::CPanelForm(CQuorvelDoc& doc, const QString& accessibleName, QWidget* parent)
    : QWidget(parent), doc_(doc) {
    setAccessibleName(accessibleName);
}

CPanelForm::~CPanelForm() {
    // A box that still has the focus loses it while the widgets are torn down,
    // when the derived form no longer exists to take its commit.
    for (CCommitLineEdit* edit : findChildren<CCommitLineEdit*>()) {
        edit->disconnect(this);
    }
}

void CPanelForm::FollowDocument(FormSubject subject) {
    connect(&doc_, &CQuorvelDoc::changed, this, [this, subject](const ChangeReport& report) {
        // A hidden page of the current record reloads when it is shown; the
        // tool pages keep up all the time, as they share the pivot.
        const bool follows = !isHidden() || subject == FormSubject::Scene;
        if (!ownEdit_ && follows && Shows(subject, report)) {
            OnInitialUpdate();
        }
    });
}

bool CPanelForm::Shows(FormSubject subject, const ChangeReport& report) const {
    switch (subject) {
        case FormSubject::Scene:
            return report.Visible() || report.selectMode || report.selectable;
        case FormSubject::Objects:
            return report.ObjectFieldsChanged();
        case FormSubject::Materials:
            return report.MaterialFieldsChanged();
    }
    return false;
}

void CPanelForm::OwnEdit(const std::function<void()>& edit) {
    const bool outer = std::exchange(ownEdit_, true);
    edit();
    ownEdit_ = outer;
}

void CPanelForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    OnInitialUpdate();
}
