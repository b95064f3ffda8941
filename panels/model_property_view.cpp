#include "panels/model_property_view.h"

#include <QFormLayout>
#include <QLabel>

#include "commands/targets.h"
#include "document/quorvel_document.h"
#include "panels/box_text.h"
#include "panels/commit_line_edit.h"

CModelPropertyView::CModelPropertyView(CQuorvelDoc& doc, QWidget* parent)
    : CPanelForm(doc, QStringLiteral("物体のプロパティ"), parent),
      name_(new CCommitLineEdit(QStringLiteral("物体名"), this)),
      facet_(new CCommitLineEdit(QStringLiteral("スムージング角度"), this)),
      message_(new QLabel(this)) {
    auto* form = new QFormLayout(this);
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    form->addRow(QStringLiteral("物体名"), name_);
    form->addRow(QStringLiteral("スムージング角度"), facet_);
    message_->setWordWrap(true);
    message_->setAccessibleName(QStringLiteral("メッセージ"));
    form->addRow(message_);

    connect(name_, &CCommitLineEdit::committed, this, &CModelPropertyView::CommitName);
    connect(facet_, &CCommitLineEdit::committed, this, &CModelPropertyView::CommitFacet);
    // Shown again, or the current object changed while shown.
    FollowDocument(FormSubject::Objects);
    OnInitialUpdate();
}

void CModelPropertyView::OnInitialUpdate() {
    const CModel* model = CurrentModel(doc_.Scene());
    if (!model) {
        return;
    }
    message_->clear();
    name_->setText(SceneTextToDisplay(model->name));
    facet_->setText(FormatBoxNumber(model->facet));
}

void CModelPropertyView::CommitName() {
    if (const CModel* model = CurrentModel(doc_.Scene())) {
        if (TypedName(name_, message_, model->name)) {
            OwnEdit([&] { doc_.Run("object.rename", {{"name", name_->text().toStdString()}}); });
        }
    }
}

void CModelPropertyView::CommitFacet() {
    const CModel* model = CurrentModel(doc_.Scene());
    if (!model) {
        return;
    }
    if (const std::optional<float> angle = FiniteBoxNumber(facet_->text())) {
        OwnEdit([&] { doc_.Run("object.smoothing", {{"degrees", *angle}}); });
    } else {
        facet_->setText(FormatBoxNumber(model->facet));
    }
}
