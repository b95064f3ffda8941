// The material form: name, colour, opacity, lighting factors, power and
// texture of the current material, each number with an edit box and a slider.
// Every edit goes straight into the material; there is no apply button.
#pragma once

#include <array>

#include "commands/material_edits.h"
#include "panels/panel_form.h"

class CCommitLineEdit;
class QLabel;
class QPushButton;
class QSlider;

class CMaterialPropertyView : public CPanelForm {
    Q_OBJECT

public:
    explicit CMaterialPropertyView(CQuorvelDoc& doc, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    // Stores `path` as the current material's texture (relative to the
    // program's texture folder when inside it) and loads it.
    void SetTexture(const QString& path);

    // For the tests and the accessibility tree.
    CCommitLineEdit* NameBox() const { return name_; }
    CCommitLineEdit* ValueBox(MaterialValue field) const;
    QSlider* ValueSlider(MaterialValue field) const;
    CCommitLineEdit* TextureBox() const { return texture_; }
    QPushButton* TextureButton() const { return textureButton_; }
    QWidget* Swatch() const { return swatch_; }
    QLabel* Message() const { return message_; }

private:
    struct ValueRow {
        MaterialValue field;
        CCommitLineEdit* box = nullptr;
        QSlider* slider = nullptr;
    };

    void AddValueRow(class QGridLayout* grid, int gridRow, ValueRow& row);
    void CommitValue(const ValueRow& row);
    void ApplySlider(const ValueRow& row);
    void ShowValue(const ValueRow& row, float value);
    void CommitName();
    void ChooseTexture();
    void ShowTextureState(const CMaterial& material);
    // Gives the current material's `field` the value, as one step.
    void SetValue(MaterialValue field, float value);
    void AfterValueChange(MaterialValue field);

    CCommitLineEdit* name_;
    std::array<ValueRow, std::size(kMaterialValues)> rows_;
    QPushButton* textureButton_;
    CCommitLineEdit* texture_;
    QWidget* swatch_;
    QLabel* message_;
};
