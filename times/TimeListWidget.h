#pragma once

#include "lists/ListEntries.h"
#include "lists/TypedEntryList.h"
#include "times/TimeChange.h"
#include "times/TimeRule.h"

#include <QFileIconProvider>
#include <QList>
#include <QVariant>

namespace Ui {
class TimeListWidget;
}

// The list of a time page: one InfoEntry per row; its times are those a run will write (the
// preview), shown in a date-time editor per cell. Runs write them and can be undone.
class TimeListWidget : public TypedEntryList<InfoEntry>
{
    Q_OBJECT
public:
    enum Column { NameColumn, BirthColumn, ModifiedColumn, StateColumn, OperateColumn };

    explicit TimeListWidget(QWidget *parent = nullptr);
    ~TimeListWidget() override;

    // Sets the times of row's entry and shows them.
    void setEntryTimes(int row, const QDateTime &birth, const QDateTime &modified);

    // Writes every entry's preview to the disk (undo false), or puts back the entries the
    // newest run changed (undo true); marks the rows and reports each failure on the bus.
    void changeTimes(bool undo);
    void undoChangeTimes();
    bool canUndoChange() const { return !undoStack.isEmpty(); }

public slots:
    void onPropertyValueChanged(
        const QString &valueName, const QString &valueObj, const QVariant &value);

signals:
    void canUndo(bool isCan);

protected:
    QString storedPath(const QString &path) const override;
    void appendEntry(int row, const QString &path) override;
    void writeCells(int row, const InfoEntry &entry) override;
    void createRowWidgets(int row) override;
    QList<int> rowWidgetColumns() const override;
    bool sortEntries(int column, bool descending) override;
    void forgetHistory() override;

private:
    const TimeRule &rule() const;
    void writeTime(int row, int column, const QDateTime &time);
    EntryFacts factsOf(const InfoEntry &entry) const;
    // The row's preview from its entry's own times and the page's rule.
    void showPreview(int row);
    void recomputePreview();
    // Asks for the capture times the rule needs and the list has not got yet.
    void requestCaptureTimes();
    void onCaptureTimesArrived(const QStringList &paths);
    void runChange();
    void undoChange(const TimeSnapshot &snapshot);
    // Marks a failed step and reports it.
    void showFailure(int row, const TimeStep &step);
    void showFailure(int row, const QString &message);

    QList<TimeSnapshot> undoStack;
    bool captureRequestQueued = false;

    Ui::TimeListWidget *ui;
    QStringList headers;
    QFileIconProvider iconProvider;
};
