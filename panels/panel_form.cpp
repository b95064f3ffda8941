#include "panels/panel_form.h"

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

void CPanelForm::ReloadOnHint(int hint, bool onlyWhenShown) {
    connect(&doc_, &CQuorvelDoc::viewsUpdateRequested, this,
            [this, hint, onlyWhenShown](int broadcast) {
                if (broadcast == hint && !(onlyWhenShown && isHidden())) {
                    OnInitialUpdate();
                }
            });
}
