#pragma once

#include "create/CreatePlan.h"
#include "create/CreateSettings.h"
#include "lists/EntryListBase.h"

#include <QFileIconProvider>
#include <QHash>
#include <QIcon>

namespace Ui {
class CreateFileEmpty;
}

// The list of the batch creation page: one row per name of its copy of a creation rule's
// settings, with the path the entry will get.
class CreateFileEmpty : public EntryListBase
{
    Q_OBJECT
public:
    enum Column { NameColumn, PathColumn, StateColumn, OperateColumn };

    explicit CreateFileEmpty(QWidget *parent = nullptr);
    ~CreateFileEmpty() override;

    int entryCount() const override { return settings.names.size(); }
    const CreateSettings &currentSettings() const { return settings; }

    // Takes a copy of s and rebuilds every row from it.
    void showSettings(const CreateSettings &s);
    // Rebuilds every row from settings.
    void rebuild();
    // Sets the state of row (settings.states and its state label).
    void setEntryState(int row, int state);
    // Creates every listed entry (the page's "开始生成"), marking each row and publishing one
    // message per failure. The rule's own record is not changed.
    void createEntries();

public slots:
    // The panel's tab switch: shows the record of the editor now in front.
    void onPageChanged(QString pageName);
    void onPropertyValueChanged(
        const QString &valueName, const QString &valueObj, const QVariant &value);

protected:
    QString entryUuid(int index) const override;
    int entryState(int index) const override;
    void refreshRow(int row) override;
    bool sortEntries(int column, bool descending) override;
    void moveEntry(int from, int to) override;
    void removeEntry(int index) override;
    void removeAllEntries() override;

private:
    void writeCells(int row);
    // Plans every row as the run will take it and marks the name cells whose run will not
    // make the entry shown. The target folder is read again when `reread`.
    void updateMarks(bool reread);
    void queueMarks();
    QIcon typeIcon() const;

    Ui::CreateFileEmpty *ui;
    QStringList headers;
    CreateSettings settings;
    QFileIconProvider iconProvider;
    // The icon of each kind, looked up once: the provider is slow and every row shows one.
    mutable QHash<int, QIcon> iconCache;
    FolderPicture picture;
    QVector<CreatePlan> plans; // one per row, for the rows' order now
    bool marksQueued = false;
};
