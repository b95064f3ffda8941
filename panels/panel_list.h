// The base of the object and material lists: a report-style list with one
// selected row, following the document's changes row by row. A row chosen
// with the keyboard is chosen as a click would choose it, so the highlighted
// row and the scene's current record never disagree.
#pragma once

#include <QTreeView>

class CQuorvelDoc;
class CSceneRowsModel;
struct ChangeReport;

class CPanelList : public QTreeView {
    Q_OBJECT

public:
    // `columnWidths` in pixels, one per column of `rows`.
    CPanelList(CQuorvelDoc& doc, CSceneRowsModel* rows, QList<int> columnWidths,
               const QString& accessibleName, QWidget* parent);

    // Drops every row and makes one per record, as a replaced document does.
    void Rebuild();

    CSceneRowsModel* Rows() const { return rows_; }
    // The row under a point of the viewport, −1 when none.
    int RowAt(QPoint point) const;
    // Marks the row selected and focused (none for −1) without choosing it.
    // The list scrolls to show `column` of the row (a click passes the column
    // under the pointer, so that the list does not jump sideways).
    void MarkRow(int row, int column = 0);
    // The row the list shows selected, −1 when none.
    int MarkedRow() const;

    // As wide as its columns, not as wide as a generic scroll area.
    QSize sizeHint() const override;

protected:
    // The user chose the row (−1: clicked where there is none).
    virtual void RowChosen(int row) = 0;
    // Follows a change other than a replaced document in the rows.
    virtual void FollowRows(const ChangeReport& report) = 0;
    // The rows were rebuilt or followed a change.
    virtual void RowsUpdated() {}

    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

    CQuorvelDoc& doc_;

private:
    void OnDocumentChange(const ChangeReport& report);

    CSceneRowsModel* rows_;
    QList<int> columnWidths_;
    bool marking_ = false;
};
