#pragma once

#include "create/CreateSettings.h"
#include "disk/DiskView.h"

#include <QHash>
#include <QString>
#include <QVector>

// What a creation run will do with one row, decided before it makes anything.
struct CreatePlan
{
    enum Kind {
        Create, // at the name shown
        Numbered, // the name is taken: at the numbered variant in `target`
        Existing, // a folder of that name is there and conflicts are left alone: no change
        Taken, // the name is taken and conflicts are left alone: the row fails
        Refused, // the name cannot be used; `reason` says why
        NoTemplate, // the kind's template cannot be read: the row fails
    };
    Kind kind = Refused;
    QString target; // where the entry is made (or would have been, when the row fails)
    QString reason;
};

// Decides the rows of one creation run, in order, on the disk or on a picture of it. The run
// and the list's marks both ask it, so that a mark says what the run does.
class CreatePlanner
{
public:
    CreatePlanner(const DiskView &disk, const CreateSettings &settings, bool haveTemplate);

    // The decision for `row` on the disk as it is now; asked again when the run finds the
    // chosen name taken meanwhile.
    CreatePlan plan(int row) const;
    // Something was made at `target` for `row`. Only a made entry uses up its number.
    void made(int row, const QString &target);

private:
    QString wanted(int row) const;
    QString numbered(const QString &wanted) const;

    const DiskView &disk;
    const CreateSettings &settings;
    QString extension;
    bool haveTemplate;
    // The number last made for a wanted path: the ones below are taken by this run, so 3000
    // rows of one name cost some 3000 probes rather than 4.5 million.
    QHash<QString, qint64> lastNumber;
};

// Every row's decision as runCreate takes them, on a picture of the target folder: each
// planned entry is added to the picture before the next row is decided.
QVector<CreatePlan> planCreate(
    const FolderPicture &picture, const CreateSettings &settings, bool haveTemplate);

// Whether the kind's template can be read from `templateDir` (always for a folder).
bool templateReadable(int fileType, const QString &templateDir);

// The tooltip that marks a row whose run will not make the entry shown, or empty.
QString createPlanMark(const CreatePlan &plan);
