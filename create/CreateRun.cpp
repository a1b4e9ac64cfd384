#include "create/CreateRun.h"

#include "disk/DiskNames.h"
#include "runtime/DataFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

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

// Where an entry goes when conflicts are resolved: makeUniquePath's first free "name(k)". A name
// the run has made already goes on after the number it was made under last (the ones below are
// taken by this run), so 3000 rows of one name cost some 3000 probes rather than 4.5 million.
// Only what was made counts: a row that failed leaves its number to the next one.
class UniqueNames
{
public:
    QString choose(const QString &wanted) const
    {
        const auto it = lastNumber.constFind(wanted);
        if (it == lastNumber.cend())
            return makeUniquePath(wanted);
        for (qint64 k = *it + 1;; ++k) {
            const QString candidate = variant(wanted, k);
            if (!isOccupied(candidate))
                return candidate;
        }
    }
    // Something was made at `target`, chosen for `wanted`.
    void made(const QString &wanted, const QString &target)
    {
        lastNumber.insert(wanted, numberOf(wanted, target));
    }

private:
    // makeUniquePath's form: the number goes before the last dot of the name.
    static void split(const QString &path, QString *stem, QString *suffix)
    {
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        const int dot = path.lastIndexOf(QLatin1Char('.'));
        *stem = dot > slash ? path.left(dot) : path;
        *suffix = dot > slash ? path.mid(dot) : QString();
    }
    static QString variant(const QString &wanted, qint64 k)
    {
        QString stem, suffix;
        split(wanted, &stem, &suffix);
        return stem + QLatin1Char('(') + QString::number(k) + QLatin1Char(')') + suffix;
    }
    static qint64 numberOf(const QString &wanted, const QString &target)
    {
        if (target == wanted)
            return 0;
        QString stem, suffix;
        split(wanted, &stem, &suffix);
        const QString digits
            = target.mid(stem.size() + 1, target.size() - stem.size() - 2 - suffix.size());
        bool ok = false;
        const qint64 k = digits.toLongLong(&ok);
        return ok ? k : 0;
    }

    QHash<QString, qint64> lastNumber;
};

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

CreateOutcome createFile(
    const QString &wanted, const QByteArray *content, bool autoResolve, UniqueNames &unique)
{
    QString target = autoResolve ? unique.choose(wanted) : wanted;
    if (!content)
        return failed(target, copyFailedMessage(target));
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        aboutToMake(target);
        // NewOnly refuses any existing name, a dangling link included: never an overwrite.
        QFile file(target);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (!writeNewFile(file, *content))
                return failed(target, copyFailedMessage(target));
            if (autoResolve)
                unique.made(wanted, target);
            return done(CreateOutcome::Created, target);
        }
        if (!autoResolve || !isOccupied(target))
            return failed(target, copyFailedMessage(target));
        target = unique.choose(wanted); // taken meanwhile: the next free name
    }
    return failed(target, copyFailedMessage(target));
}

CreateOutcome createFolder(const QString &wanted, bool autoResolve, UniqueNames &unique)
{
    QString target = autoResolve ? unique.choose(wanted) : wanted;
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        const QString absolute = QFileInfo(target).absoluteFilePath();
        if (!autoResolve && QDir(target).exists())
            return done(CreateOutcome::Existing, target);
        aboutToMake(target);
        // mkdir makes the last level only and fails on any existing name.
        if (QDir().mkdir(absolute)) {
            if (autoResolve)
                unique.made(wanted, target);
            return done(CreateOutcome::Created, target);
        }
        if (!isOccupied(target))
            return failed(target, folderFailedMessage(absolute));
        if (!autoResolve) {
            if (QDir(target).exists())
                return done(CreateOutcome::Existing, target);
            return failed(target, folderFailedMessage(absolute));
        }
        target = unique.choose(wanted);
    }
    return failed(target, folderFailedMessage(QFileInfo(target).absoluteFilePath()));
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
    const QString extension = CreateKinds::extension(settings.fileType);

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
    UniqueNames unique;
    for (int row = 0; row < settings.names.size(); ++row) {
        const QString name = settings.names.at(row).name;
        const QString wanted = settings.targetDir + QLatin1Char('/') + name + extension;
        CreateOutcome outcome;
        // A name is a name in the target folder, never a way out of it.
        const bool acceptable = !settings.targetDir.isEmpty() && isAcceptableName(name)
            && isAcceptableName(name + extension);
        if (!acceptable) {
            // Named as given: a cleaned path would point at the place the name tried to reach.
            outcome = failed(
                wanted, isFolder ? folderFailedMessage(wanted) : copyFailedMessage(wanted));
        } else if (isFolder) {
            outcome = createFolder(wanted, settings.autoResolve, unique);
        } else {
            outcome = createFile(
                wanted, haveContent ? &content : nullptr, settings.autoResolve, unique);
        }
        outcomes.append(outcome);
        if (onRow)
            onRow(row, outcome);
    }
    return outcomes;
}
