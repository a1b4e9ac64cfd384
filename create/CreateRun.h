#pragma once

#include "create/CreateSettings.h"

#include <QString>
#include <QVector>

#include <functional>

// The kinds the creation page makes, indexed by CreateSettings::fileType.
namespace CreateKinds {

inline constexpr int count = 6;

// The folder the templates are looked up in, relative to the working directory.
inline constexpr char defaultTemplateDir[] = "./template";

// True for 0..count-1.
bool isKnown(int fileType);
// The template an entry of this kind is copied from ("./template/Word.docx"); for a folder the
// path only stands for its icon. Empty for an unknown kind.
QString templatePath(int fileType, const QString &templateDir = QLatin1String(defaultTemplateDir));
// The template folder in use: "template" below the first data folder (working directory, beside
// the program, an install's data folder) that holds every file template; "./template" if none.
QString templateDir();
// The extension a created entry gets: the template's suffix with a dot, empty for a folder.
QString extension(int fileType);

} // namespace CreateKinds

// What happened to one name of a run.
struct CreateOutcome
{
    enum Kind {
        Created, // made at `target`
        Existing, // a folder of that name was there already (conflicts left alone): no change
        Failed, // nothing made; `message` tells the user
    };
    Kind kind = Failed;
    QString target;
    QString message;
};

// Called as soon as a row is done, so the caller can show it before the run goes on.
using CreateRowCallback = std::function<void(int row, const CreateOutcome &outcome)>;

// Creates one entry per name of `settings` in its target folder, in order: a folder, or a copy
// of the kind's template under the name plus the template's extension. A name that is not
// acceptable in its folder fails and makes nothing. Nothing that exists is ever replaced: with
// autoResolve a taken name (also one taken while the run goes on) gives way to the first free
// "name(k)"; without it the row fails, except that an existing folder is left as it is. A
// created file is a new file of its own: the owner may write it, and it carries the present
// time, whatever the template's mode and times.
QVector<CreateOutcome> runCreate(const CreateSettings &settings,
    const CreateRowCallback &onRow = {}, const QString &templateDir = CreateKinds::templateDir());

// Tests: called with each chosen target just before it is made, to play another program that
// takes the name in between. None by default.
void setBeforeMakeHook(std::function<void(const QString &target)> hook);

// The messages of a failed row.
QString copyFailedMessage(const QString &target);
QString folderFailedMessage(const QString &absolutePath);
