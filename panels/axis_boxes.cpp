#include "panels/axis_boxes.h"

#include <QFormLayout>
#include <QGroupBox>

#include "panels/commit_line_edit.h"

void AxisBoxes::SetAllTexts(const QString& text) const {
    for (CCommitLineEdit* box : boxes) {
        box->setText(text);
    }
}

AxisBoxes AddAxisGroup(QWidget* owner, QLayout* layout, const QString& title) {
    static const QString kNames[] = {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
    auto* group = new QGroupBox(title, owner);
    auto* form = new QFormLayout(group);
    AxisBoxes result;
    for (std::size_t i = 0; i < result.boxes.size(); ++i) {
        result.boxes[i] = new CCommitLineEdit(title + QLatin1Char(' ') + kNames[i], group);
        form->addRow(kNames[i], result.boxes[i]);
    }
    layout->addWidget(group);
    return result;
}
