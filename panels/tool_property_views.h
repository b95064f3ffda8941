// The pages of the property pane for the tools: the empty page (range select,
// face delete, paint, a new document), the select mode, and the typed move,
// rotation and scaling of the selection with the shared centre.
#pragma once

#include "panels/axis_boxes.h"
#include "panels/panel_form.h"

class QButtonGroup;

class CPropertyView : public CPanelForm {
    Q_OBJECT

public:
    explicit CPropertyView(CQuorvelDoc& doc, QWidget* parent = nullptr);
};

class CSelectPropertyView : public CPanelForm {
    Q_OBJECT

public:
    explicit CSelectPropertyView(CQuorvelDoc& doc, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    // The radio buttons, by select mode.
    QButtonGroup* Modes() const { return modes_; }

private:
    QButtonGroup* modes_;
};

class CMovePropertyView : public CPanelForm {
    Q_OBJECT

public:
    explicit CMovePropertyView(CQuorvelDoc& doc, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    const AxisBoxes& Relative() const { return relative_; }
    const AxisBoxes& Absolute() const { return absolute_; }

private:
    AxisBoxes relative_;
    AxisBoxes absolute_;
};

// Rotation and scaling: amounts in the first group, the centre (the
// manipulator position, shared by both pages) in the second.
class CPivotPropertyView : public CPanelForm {
    Q_OBJECT

public:
    const AxisBoxes& Amounts() const { return amounts_; }
    const AxisBoxes& Centre() const { return centre_; }
    void OnInitialUpdate() override;

protected:
    CPivotPropertyView(CQuorvelDoc& doc, const QString& accessibleName, const QString& title,
                       const QString& neutralText, QWidget* parent);
    virtual void ApplyAmount(Axis axis, float value) = 0;

private:
    AxisBoxes amounts_;
    AxisBoxes centre_;
    QString neutralText_;
};

class CRotatePropertyView : public CPivotPropertyView {
    Q_OBJECT

public:
    explicit CRotatePropertyView(CQuorvelDoc& doc, QWidget* parent = nullptr);

protected:
    void ApplyAmount(Axis axis, float degrees) override;
};

class CScalePropertyView : public CPivotPropertyView {
    Q_OBJECT

public:
    explicit CScalePropertyView(CQuorvelDoc& doc, QWidget* parent = nullptr);

protected:
    void ApplyAmount(Axis axis, float factor) override;
};
