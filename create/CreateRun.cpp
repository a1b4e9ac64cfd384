#include "create/CreateRun.h"

#include "create/CreatePlan.h"
#include "disk/DiskNames.h"
#include "runtime/DataFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const char *const templateNames[CreateKinds::count]
    = {"folder", "Word.docx", "Excel.xlsx", "PPT.pptx", "PDF.pdf", "Txt.txt"};

// Another program may take a free name before we make it; give up after this many in a row.
constexpr int maxAttempts = 64;

std::function<void(const QString &)> &beforeMake()
{
    static std::function<void(const QString &)> hook;
    return hook;
}

void aboutToMake(const QString &target)
{
    if (beforeMake())
        beforeMake()(target);
}

CreateOutcome failed(const QString &target, const QString &message)
{
    CreateOutcome outcome;
    outcome.kind = CreateOutcome::Failed;
    outcome.target = target;
    outcome.message = message;
    return outcome;
}

CreateOutcome done(CreateOutcome::Kind kind, const QString &target)
{
    CreateOutcome outcome;
    outcome.kind = kind;
    outcome.target = target;
    return outcome;
}

// Writes `content` into a file that did not exist before; removes what it made on failure.
bool writeNewFile(QFile &file, const QByteArray &content)
{
    if (file.write(content) == content.size() && file.flush()) {
        file.close();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    file.close();
    file.remove();
    return false;
}

// Makes the entry `plan` chose for `row`, asking again when another program takes the name
// first; nothing that exists is ever replaced.
CreateOutcome make(CreatePlan plan, int row, bool isFolder, const QByteArray &content,
    bool autoResolve, CreatePlanner &planner)
{
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        const QString &target = plan.target;
        const QString absolute = QFileInfo(target).absoluteFilePath();
        const QString message
            = isFolder ? folderFailedMessage(absolute) : copyFailedMessage(target);
        switch (plan.kind) {
        case CreatePlan::Existing:
            return done(CreateOutcome::Existing, target);
        case CreatePlan::Taken:
        case CreatePlan::NoTemplate:
            return failed(target, message);
        case CreatePlan::Refused:
            // Named as given: a cleaned path would point at the place the name tried to reach.
            return failed(
                target, isFolder ? folderFailedMessage(target) : copyFailedMessage(target));
        case CreatePlan::Create:
        case CreatePlan::Numbered:
            break;
        }
        aboutToMake(target);
        bool madeIt = false;
        if (isFolder) {
            // mkdir makes the last level only and fails on any existing name.
            madeIt = QDir().mkdir(absolute);
        } else {
            // NewOnly refuses any existing name, a dangling link included: never an overwrite.
            QFile file(target);
            if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                if (!writeNewFile(file, content))
                    return failed(target, message);
                madeIt = true;
            }
        }
        if (madeIt) {
            planner.made(row, target);
            return done(CreateOutcome::Created, target);
        }
        if (!isOccupied(target))
            return failed(target, message);
        if (!autoResolve && !isFolder)
            return failed(target, message);
        plan = planner.plan(row); // taken meanwhile: decided again on the disk as it is now
    }
    return failed(plan.target,
        isFolder ? folderFailedMessage(QFileInfo(plan.target).absoluteFilePath())
                 : copyFailedMessage(plan.target));
}

} // namespace

namespace CreateKinds {

bool isKnown(int fileType)
{
    return fileType >= 0 && fileType < count;
}

QString templatePath(int fileType, const QString &templateDir)
{
    if (!isKnown(fileType))
        return QString();
    return templateDir + QLatin1Char('/') + QLatin1String(templateNames[fileType]);
}

QString templateDir()
{
    // The "folder" entry only gives the folder kind its icon, so it is not required.
    QStringList files;
    for (int kind = 1; kind < count; ++kind)
        files << QStringLiteral("template/") + QLatin1String(templateNames[kind]);
    const QString folder = DataFolders::firstHolding(DataFolders::searchFolders(), files);
    return folder.isEmpty() ? QLatin1String(defaultTemplateDir)
                            : folder + QStringLiteral("/template");
}

QString extension(int fileType)
{
    const QString suffix = QFileInfo(templatePath(fileType)).suffix();
    return (fileType == 0 || suffix.isEmpty()) ? QString() : QLatin1Char('.') + suffix;
}

} // namespace CreateKinds

void setBeforeMakeHook(std::function<void(const QString &target)> hook)
{
    beforeMake() = std::move(hook);
}

QString copyFailedMessage(const QString &target)
{
    return QStringLiteral("请确认文件“%1”路径拥有权限").arg(target);
}

QString folderFailedMessage(const QString &absolutePath)
{
    return QStringLiteral("创建文件“%1”失败，请确认权限").arg(absolutePath);
}

QVector<CreateOutcome> runCreate(
    const CreateSettings &settings, const CreateRowCallback &onRow, const QString &templateDir)
{
    const bool isFolder = settings.fileType == 0;

    // The template is read once; a missing or unreadable one fails every row, nothing empty
    // is made in its place.
    QByteArray content;
    bool haveContent = false;
    if (!isFolder && CreateKinds::isKnown(settings.fileType)) {
        QFile source(CreateKinds::templatePath(settings.fileType, templateDir));
        if (source.open(QIODevice::ReadOnly)) {
            content = source.readAll();
            haveContent = source.error() == QFileDevice::NoError;
        }
    }

    QVector<CreateOutcome> outcomes;
    outcomes.reserve(settings.names.size());
    static const LiveDisk disk;
    CreatePlanner planner(disk, settings, haveContent);
    for (int row = 0; row < settings.names.size(); ++row) {
        const CreateOutcome outcome
            = make(planner.plan(row), row, isFolder, content, settings.autoResolve, planner);
        outcomes.append(outcome);
        if (onRow)
            onRow(row, outcome);
    }
    return outcomes;
}
