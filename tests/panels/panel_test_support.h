// Shared by the panel tests: a shown, active window around a panel, typing
// into boxes the way a user does, and saved pictures.
#pragma once

#include <QHBoxLayout>
#include <QLineEdit>
#include <QString>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "document/quorvel_document.h"

// A window holding `panel` above a spare edit box that takes the focus when
// the test clicks "elsewhere".
class PanelWindow {
public:
    explicit PanelWindow(QWidget* panel, QSize size = QSize(260, 640));
    QLineEdit& Elsewhere() { return *elsewhere_; }

private:
    QWidget window_;
    QLineEdit* elsewhere_;
};

// Types `text` over the box's contents, then leaves it with `leaveKey`
// (Tab moves the focus on, Enter keeps it).
void TypeInto(QLineEdit* box, const QString& text, Qt::Key leaveKey = Qt::Key_Tab);
// Types `text` and then clicks the window's spare box.
void TypeAndClickElsewhere(PanelWindow& window, QLineEdit* box, const QString& text);

void SaveArtifact(QWidget* widget, const QString& name);

// A scene with two materials and three objects (cubes).
void FillScene(CQuorvelDoc& doc);

// A list and its form side by side in one window, on the FillScene scene.
template <typename Form, typename List>
struct FormAndList {
    explicit FormAndList(QSize size) {
        FillScene(doc);
        auto* panels = new QWidget;
        auto* layout = new QHBoxLayout(panels);
        form = new Form(doc);
        list = new List(doc);
        layout->addWidget(form);
        layout->addWidget(list);
        window = std::make_unique<PanelWindow>(panels, size);
    }
    // The middle of a row's cell in `column`, in viewport pixels.
    QPoint CellCentre(int row, int column) const {
        return list->visualRect(list->model()->index(row, column)).center();
    }

    CQuorvelDoc doc;
    Form* form;
    List* list;
    std::unique_ptr<PanelWindow> window;
};
