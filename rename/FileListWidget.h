#pragma once

#include "lists/ListEntries.h"
#include "lists/TypedEntryList.h"
#include "rename/RenamePlan.h"
#include "rename/RenameRun.h"

#include <QAbstractItemDelegate>
#include <QFileIconProvider>
#include <QList>
#include <QStack>
#include <QVariant>

namespace Ui {
class FileListWidget;
}

class QFileInfo;

// The list of a rename page: one RenameEntry per row, with the current name, the preview of the
// new name, the folder, the state and the row buttons.
class FileListWidget : public TypedEntryList<RenameEntry>
{
    Q_OBJECT
public:
    enum Column { OldNameColumn, NewNameColumn, LocationColumn, StateColumn, OperateColumn };

    explicit FileListWidget(QWidget *parent = nullptr);
    ~FileListWidget() override;

    // Shows name as the preview of row (its entry's newName and the "新文件名" cell).
    void setPreview(int row, const QString &name);

    // Recompute every row's preview from the rule record of nameSpace.
    void applyCustomRename(const QString &nameSpace);
    void applyReplaceRename(const QString &nameSpace);
    void applyDeleteRename(const QString &nameSpace);
    // The k-th name becomes the preview of the k-th row (with the row's own extension).
    void applyImportRename(const QStringList &names);
    // Renames on disk every entry whose preview differs from its name (run), or reverses the
    // newest run (undo); marks the rows and reports each failure on the bus.
    void executeRename(bool isUndo);
    void undoRename();
    bool canUndoRename() const { return !undoStack.isEmpty(); }
    // Marks every row whose run would not give the name shown, with the reason as the cell's
    // tooltip. The folders are read again when the list changed or `reread`, else the marks
    // come from what was read before.
    void updateMarks(bool reread = false);
    // The same, once the current event is done.
    void queueMarks();

    // Whether the next run replaces an occupied name by a numbered one; every preview
    // computation sets it from its rule.
    bool autoResolve = true;

public slots:
    void onPropertyValueChanged(
        const QString &valueName, const QString &valueObj, const QVariant &value);

signals:
    void canUndo(bool isCan);

protected:
    void appendEntry(int row, const QString &path) override;
    bool sortEntries(int column, bool descending) override;
    void writeCells(int row, const RenameEntry &entry) override;
    void forgetHistory() override;

private slots:
    void onPreviewEditorClosed(QWidget *editor, QAbstractItemDelegate::EndEditHint hint);

private:
    QMetaObject::Connection captureWait; // re-previews as photos' times arrive
    void subscribeRenameTopics();
    void unsubscribeRenameTopics();
    void applyRule(const QString &nameSpace);
    void showPreview(int row, const QString &name);
    void showRenamedRow(int row);
    // The row of the entry with uuid, trying `hint` first.
    int rowOfEntry(int hint, const QString &uuid) const;

    QStack<RenameSnapshot> undoStack;
    FolderPicture picture;
    uint pictureKey = 0; // of the entries' paths when the picture was read
    bool marksQueued = false;

    Ui::FileListWidget *ui;
    QStringList headers;
    QFileIconProvider iconProvider;
};
