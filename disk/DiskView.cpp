#include "disk/DiskView.h"

#include "disk/DiskNames.h"
#include "disk/NativeRename.h"

#include <QDir>
#include <QFileInfo>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

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
    const QString other = otherCase(namePart(self));
    return !self.isEmpty() && !other.isEmpty() && isOccupied(folderPart(self) + other)
        && !QDir(folderPart(self))
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System)
                .contains(other);
#endif
}

} // namespace

bool targetIsEntryItself(const QString &source, const QString &target)
{
    return NativeRename::identity(nativeDiskPath(source))
        == NativeRename::identity(nativeDiskPath(target));
}

bool LiveDisk::present(const QString &path, bool isFolder) const
{
#ifndef _WIN32
    // A run asks this of every row: one lstat answers for all but a link, which alone is
    // followed (a dangling one is still a file page's entry).
    const NativeRename::Path native = nativeDiskPath(path);
    struct stat st;
    if (::lstat(native.c_str(), &st) != 0)
        return false;
    if (!S_ISLNK(st.st_mode))
        return isFolder == S_ISDIR(st.st_mode);
    const bool toFolder = ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    return isFolder == toFolder;
#else
    const QFileInfo info(path);
    if (isFolder)
        return info.isDir();
    // A dangling link on a file page is still an entry that can be renamed.
    return (info.exists() && !info.isDir()) || (info.isSymLink() && !info.exists());
#endif
}

bool LiveDisk::occupied(const QString &path) const
{
    return isOccupied(path);
}

bool LiveDisk::isSameEntry(const QString &source, const QString &target) const
{
    return targetIsEntryItself(source, target);
}

void FolderPicture::read(const QStringList &paths)
{
    folders.clear();
    for (const QString &path : paths) {
        const QString folder = folderPart(path);
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

bool PictureDisk::present(const QString &path, bool isFolder) const
{
    const FolderPicture::Name *n = find(path);
    return n && (isFolder ? n->isDir : n->isEntry);
}

bool PictureDisk::occupied(const QString &path) const
{
    return find(path) != nullptr;
}

bool PictureDisk::isSameEntry(const QString &source, const QString &target) const
{
    const QString folder = folderPart(source);
    auto f = picture.folders.constFind(folder);
    return f != picture.folders.constEnd() && folderPart(target) == folder
        && keyOf(*f, namePart(source)) == keyOf(*f, namePart(target));
}

void PictureDisk::move(const QString &source, const QString &target)
{
    auto f = picture.folders.find(folderPart(source));
    if (f == picture.folders.end())
        return;
    FolderPicture::Name n = f->names.take(keyOf(*f, namePart(source)));
    n.name = namePart(target);
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

void PictureDisk::add(const QString &path, bool isDir)
{
    auto f = picture.folders.find(folderPart(path));
    if (f == picture.folders.end())
        return;
    FolderPicture::Name n;
    n.name = namePart(path);
    n.isDir = isDir;
    n.isEntry = !isDir;
    f->names.insert(keyOf(*f, n.name), n);
}

const FolderPicture::Name *PictureDisk::find(const QString &path) const
{
    auto f = picture.folders.constFind(folderPart(path));
    if (f == picture.folders.constEnd())
        return nullptr;
    auto n = f->names.constFind(keyOf(*f, namePart(path)));
    return n == f->names.constEnd() ? nullptr : &n.value();
}
