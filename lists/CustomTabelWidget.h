#pragma once

#include <QIcon>
#include <QPoint>
#include <QTableWidget>

// The table of every list. Rows are reordered by dragging, but the table never moves them
// itself: it reports the drop with SortChanged and the list rearranges its entries.
class CustomTabelWidget : public QTableWidget
{
    Q_OBJECT
public:
    explicit CustomTabelWidget(QWidget *parent = nullptr);
    ~CustomTabelWidget() override;

    // true: rows can be dragged onto each other; false: no dragging at all.
    void setDragReorder(bool enabled);

    // The item last double-clicked (for the hand edit of a cell), or null; cleared with its row.
    QTableWidgetItem *getDoubleClickedItem() const { return doubleClickedItem; }
    void clearDoubleClickedItem() { doubleClickedItem = nullptr; }

signals:
    void SortChanged(int dstIndex, int SrcIndex);
    // Other rows may be on screen now (scrolled, resized or shown).
    void rowsInViewChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

    // Whether a drag started in this very table (files from outside are not row moves).
    virtual bool isOwnDrag(const QDropEvent *event) const;

private:
    void forgetItemsOfRows(int first, int last);

    QPoint pressPos;
    QTableWidgetItem *pressItem = nullptr;
    QTableWidgetItem *doubleClickedItem = nullptr;
};

// How a cell tells that a run will not do what its row shows.
enum class CellMark {
    None,
    Changed, // done, but otherwise than shown (a numbered name): amber
    Fails, // not done: red
};

// Shows `tooltip` on `item` with the mark's icon and text colour (readable on the dark rows);
// without a mark the cell gets `plain` back as its icon.
void markCell(
    QTableWidgetItem *item, CellMark mark, const QString &tooltip, const QIcon &plain = QIcon());
