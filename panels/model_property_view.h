// The object form: the current object's name and smoothing angle, applied
// when a box loses the focus or Enter is pressed.
#pragma once

#include "panels/panel_form.h"

class CCommitLineEdit;
class QLabel;

class CModelPropertyView : public CPanelForm {
    Q_OBJECT

public:
    explicit CModelPropertyView(CQuorvelDoc& doc, QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    CCommitLineEdit* NameBox() const { return name_; }
    CCommitLineEdit* FacetBox() const { return facet_; }
    QLabel* Message() const { return message_; }

private:
    void CommitName();
    void CommitFacet();

    CCommitLineEdit* name_;
    CCommitLineEdit* facet_;
    QLabel* message_;
};
