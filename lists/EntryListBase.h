#pragma once

#include <QPersistentModelIndex>
#include <QStringList>
#include <QWidget>

class CustomTabelWidget;
class OperateWidget;
class QTableWidgetItem;

// What the four lists share: the table and its placeholder, adding paths with duplicate
// filtering and the capacity, sorting by header click, reordering, the row buttons and
// clearing. Each list keeps its own typed `entries` and answers the hooks below; rows and
// entries always stand in the same order.
//
// Every row has its items at all times. Its cell widgets (state label, buttons, the time
// editors) exist for the rows on screen and some way around them: a list of 3000 rows would
// otherwise carry some 20000 widgets, and Qt spends time proportional to a widget's siblings
// on each of their updates. Widgets are made when their row comes near the screen and show
// the row's entry as it is then.
class EntryListBase : public QWidget
{
    Q_OBJECT
public:
    explicit EntryListBase(QWidget *parent = nullptr);
    ~EntryListBase() override;

    // A folder list takes folders, a file list files; set once by the page.
    void setFolder(bool folder) { isFolder = folder; }
    bool folderMode() const { return isFolder; }

    // Adds paths as new rows, skipping those already listed, up to the capacity, and announces
    // the addition on the bus.
    void addPaths(const QStringList &paths);
    // The page's "添加文件": the file dialog, then one addition if files were chosen.
    void addFromFileDialog();
    // The page's "添加文件夹": the folder picker; a file list adds the files below each chosen
    // folder (one addition per folder), a folder list adds the folders (one addition, also
    // when none was chosen).
    void addFromFolderPicker();
    // Empties the list.
    void clearList();
    // The files below folder that an addition to this list would consider: the walk stops once
    // it has one more new path than the list has room for, since the rest would be dropped.
    QStringList filesBelow(const QString &folder) const;

    virtual int entryCount() const = 0;
    CustomTabelWidget *table() const { return tabel; }
    // Redraws every row from its entry (after sorting and reordering).
    void refreshRows();

signals:
    void tabelEmpty(bool isEmpty);

public slots:
    void onSortChanged(int dstIndex, int SrcIndex);

protected:
    struct Columns
    {
        int state; // the state label's column
        int operate; // the buttons' column
    };

    // Called by each list's constructor once its form exists.
    void setUpTable(CustomTabelWidget *table, QWidget *emptyList, QWidget *addArea,
        const QStringList &headers, const QList<int> &widths, Columns columns, bool dragReorder);

    // The item at row, column, made the first time (not editable unless asked).
    QTableWidgetItem *cellItem(int row, int column, bool editable = false);
    // Fills the items every row has: UUID on the first item, the state and button cells.
    void fillCommonCells(int row, const QString &uuid);
    // Brings the common cells of an existing row in line with its entry.
    void refreshCommonCells(int row, const QString &uuid, int state);
    // Shows state on row's label, if the row has its widgets now.
    void showState(int row, int state);
    // Makes the cell widgets of the rows near the screen and drops those of rows far from it.
    void updateRowWidgets();
    // Shows the table when there are rows, else the placeholder.
    void showRows(bool hasRows);
    void setRowButtonsVisible(bool sortGrip, bool open);
    void setEmitsOnRemove(bool emits) { emitsOnRemove = emits; }
    void setTakesPaths(bool takes) { takesPaths = takes; }
    OperateWidget *operateWidget(int row) const;
    int rowOfUuid(const QString &uuid) const;

    // The form the list stores a path in (its duplicate test compares that form).
    virtual QString storedPath(const QString &path) const { return path; }
    // The stored paths of all entries.
    virtual QStringList entryPaths() const { return {}; }
    // Appends an entry for path and fills the row (which exists already).
    virtual void appendEntry(int row, const QString &path);
    virtual QString entryUuid(int index) const = 0;
    virtual int entryState(int index) const = 0;
    // The list's own cell widgets of row, besides the label and the buttons.
    virtual void createRowWidgets(int row) { Q_UNUSED(row) }
    virtual QList<int> rowWidgetColumns() const { return {}; }
    virtual QString entryPath(int index) const;
    // Redraws the list-specific cells and calls refreshCommonCells.
    virtual void refreshRow(int row) = 0;
    // Sorts the entries by column; false when the column has no sort key.
    virtual bool sortEntries(int column, bool descending) = 0;
    virtual void moveEntry(int from, int to) = 0;
    virtual void removeEntry(int index) = 0;
    virtual void removeAllEntries() = 0;
    // Lists with an undo forget it here (clearing is the only thing that does).
    virtual void forgetHistory() { }

    bool isFolder = false;
    QWidget *emptyList = nullptr;
    QWidget *addArea = nullptr;

    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void onHeaderSort(int logicalIndex);
    void onDeleteRow();
    void onOpenDir();

private:
    CustomTabelWidget *tabel = nullptr;
    void createCommonWidgets(int row);
    void refreshRowRange(int first, int last);
    void dropRowWidgets(int row);

    Columns cols {-1, -1};
    QList<QPersistentModelIndex> rowsWithWidgets;
    bool showSortGrip = true;
    bool showOpen = true;
    bool emitsOnRemove = true;
    bool takesPaths = true;
};
