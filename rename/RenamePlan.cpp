#include "rename/RenamePlan.h"

#include "disk/DiskNames.h"
#include "rename/RenameRun.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString folderOf(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString nameOf(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString keyOf(const FolderPicture::Folder &folder, const QString &name)
{
    return folder.caseBlind ? name.toCaseFolded() : name;
}

// The same name in other letter case, or empty for a name without cased letters.
QString otherCase(const QString &name)
{
    const QString upper = name.toUpper();
    return upper != name ? upper : (name.toLower() != name ? name.toLower() : QString());
}

// Whether `folder` ignores letter case: asked of a name in it that has cased letters, else of
// the folder's own name in its parent.
bool ignoresCase(const QString &folder, const QStringList &names)
{
#ifdef _WIN32
    Q_UNUSED(folder)
    Q_UNUSED(names)
    return true;
#else
    // Found under the other case but not listed so: the name was matched blind to case.
    for (const QString &name : names) {
        const QString other = otherCase(name);
        if (!other.isEmpty())
            return !names.contains(other) && isOccupied(folder + other);
    }
    const QString self = folder.left(folder.size() - 1);
    const QString other = otherCase(nameOf(self));
    return !self.isEmpty() && !other.isEmpty() && isOccupied(folderOf(self) + other)
        && !QDir(folderOf(self))
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System)
                .contains(other);
#endif
}

// The picture as a run goes through it: every planned rename is made in it.
class PictureView : public DiskView
{
public:
    explicit PictureView(const FolderPicture &picture) : picture(picture) { }

    bool present(const QString &path, bool isFolder) const override
    {
        const FolderPicture::Name *n = find(path);
        return n && (isFolder ? n->isDir : n->isEntry);
    }
    bool occupied(const QString &path) const override { return find(path) != nullptr; }
    bool isSameEntry(const QString &source, const QString &target) const override
    {
        const QString folder = folderOf(source);
        auto f = picture.folders.constFind(folder);
        return f != picture.folders.constEnd() && folderOf(target) == folder
            && keyOf(*f, nameOf(source)) == keyOf(*f, nameOf(target));
    }

    void move(const QString &source, const QString &target)
    {
        auto f = picture.folders.find(folderOf(source));
        if (f == picture.folders.end())
            return;
        FolderPicture::Name n = f->names.take(keyOf(*f, nameOf(source)));
        n.name = nameOf(target);
        f->names.insert(keyOf(*f, n.name), n);
        if (!n.isDir)
            return;
        // The folders read below a renamed folder now lie under its new name.
        const QString from = source + QLatin1Char('/');
        QList<QString> below;
        for (auto it = picture.folders.cbegin(); it != picture.folders.cend(); ++it) {
            if (it.key().startsWith(from))
                below << it.key();
        }
        for (const QString &key : below)
            picture.folders.insert(
                target + QLatin1Char('/') + key.mid(from.size()), picture.folders.take(key));
    }

private:
    const FolderPicture::Name *find(const QString &path) const
    {
        auto f = picture.folders.constFind(folderOf(path));
        if (f == picture.folders.constEnd())
            return nullptr;
        auto n = f->names.constFind(keyOf(*f, nameOf(path)));
        return n == f->names.constEnd() ? nullptr : &n.value();
    }

    FolderPicture picture;
};

} // namespace

QString tidyPath(const QString &path)
{
    QString p = QDir::fromNativeSeparators(path);
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p;
}

bool LiveDisk::present(const QString &path, bool isFolder) const
{
    const QFileInfo info(path);
    if (isFolder)
        return info.isDir();
    // A dangling link on a file page is still an entry that can be renamed.
    return (info.exists() && !info.isDir()) || (info.isSymLink() && !info.exists());
}

bool LiveDisk::occupied(const QString &path) const
{
    return isOccupied(path);
}

bool LiveDisk::isSameEntry(const QString &source, const QString &target) const
{
    return targetIsEntryItself(source, target);
}

RowPlan planRow(const DiskView &disk, const QString &source, const QString &newName, bool isFolder,
    bool autoResolve)
{
    RowPlan plan;
    if (!disk.present(source, isFolder)) {
        plan.kind = RowPlan::Missing;
        return plan;
    }
    if (newName.isEmpty() || newName == nameOf(source))
        return plan;
    plan.target = folderOf(source) + newName;
    plan.reason = nameRefusal(newName);
    if (plan.reason.isEmpty())
        plan.reason = pathRefusal(plan.target);
    if (!plan.reason.isEmpty()) {
        plan.kind = RowPlan::Refused;
        return plan;
    }
    if (!disk.occupied(plan.target) || disk.isSameEntry(source, plan.target)) {
        plan.kind = RowPlan::Rename;
        return plan;
    }
    if (!autoResolve) {
        plan.kind = RowPlan::Taken;
        return plan;
    }
    plan.target
        = makeUniquePath(plan.target, [&disk](const QString &p) { return disk.occupied(p); });
    // A number can make a name too long.
    plan.reason = nameRefusal(nameOf(plan.target));
    if (plan.reason.isEmpty())
        plan.reason = pathRefusal(plan.target);
    plan.kind = plan.reason.isEmpty() ? RowPlan::Numbered : RowPlan::Refused;
    return plan;
}

void FolderPicture::read(const QStringList &paths)
{
    folders.clear();
    for (const QString &path : paths) {
        const QString folder = folderOf(path);
        if (folder.isEmpty() || folders.contains(folder))
            continue;
        const QFileInfoList infos = QDir(folder).entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
        QStringList names;
        names.reserve(infos.size());
        for (const QFileInfo &info : infos)
            names << info.fileName();
        Folder f;
        f.caseBlind = ignoresCase(folder, names);
        f.names.reserve(infos.size());
        for (const QFileInfo &info : infos) {
            Name n;
            n.name = info.fileName();
            n.isDir = info.isDir();
            n.isEntry = (info.exists() && !info.isDir()) || (info.isSymLink() && !info.exists());
            f.names.insert(keyOf(f, n.name), n);
        }
        folders.insert(folder, f);
    }
}

QVector<RowPlan> planRename(
    const FolderPicture &picture, const QVector<RenameItem> &items, bool isFolder, bool autoResolve)
{
    PictureView view(picture);
    QVector<QString> paths;
    paths.reserve(items.size());
    for (const RenameItem &item : items)
        paths.append(tidyPath(item.filePath));
    QVector<RowPlan> plans(items.size());
    for (int i = 0; i < items.size(); ++i) {
        const QString source = paths.at(i);
        plans[i] = planRow(view, source, items.at(i).newName, isFolder, autoResolve);
        if (plans.at(i).kind != RowPlan::Rename && plans.at(i).kind != RowPlan::Numbered)
            continue;
        const QString target = plans.at(i).target;
        view.move(source, target);
        paths[i] = target;
        if (isFolder)
            followFolderMove(paths, source, target);
    }
    return plans;
}

QString planMark(const RowPlan &plan)
{
    switch (plan.kind) {
    case RowPlan::Numbered:
        return QStringLiteral("将命名为“%1”").arg(nameOf(plan.target));
    case RowPlan::Taken:
        return QStringLiteral("与已有文件重名，将不会重命名");
    case RowPlan::Refused:
        return QStringLiteral("名称不可用：%1").arg(plan.reason);
    case RowPlan::Missing:
        return QStringLiteral("文件不存在");
    case RowPlan::Untouched:
    case RowPlan::Rename:
        break;
    }
    return QString();
}
