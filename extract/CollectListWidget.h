#pragma once

#include "lists/ListEntries.h"
#include "lists/TypedEntryList.h"

#include <QFileIconProvider>
#include <QList>

namespace Ui {
class CollectListWidget;
}

// The list of an extraction page: one InfoEntry per row with the name, path and times taken
// when the entry was added. "开始提取" of its own page exports the entries, in the table's
// order, with the values read from the disk at that moment.
class CollectListWidget : public TypedEntryList<InfoEntry>
{
    Q_OBJECT
public:
    enum Column { NameColumn, PathColumn, BirthColumn, ModifiedColumn, StateColumn, OperateColumn };

    explicit CollectListWidget(QWidget *parent = nullptr);
    ~CollectListWidget() override;

    // Builds the rows from the page's settings, marks the rows "进行中" and hands the rows to
    // the writer of the chosen format; returns at once. A name that cannot be used is told
    // on the bus and nothing is written.
    void startCollectInfo();

public slots:
    void onPropertyValueChanged(
        const QString &valueName, const QString &valueObj, const QVariant &value);

protected:
    // The end of a write marks the rows it exported (those still listed); a writer's message
    // goes to the main window.
    void customEvent(QEvent *event) override;
    QString storedPath(const QString &path) const override;
    void appendEntry(int row, const QString &path) override;
    void writeCells(int row, const InfoEntry &entry) override;
    bool sortEntries(int column, bool descending) override;

private:
    Ui::CollectListWidget *ui;
    QStringList headers;
    QFileIconProvider iconProvider;
};
