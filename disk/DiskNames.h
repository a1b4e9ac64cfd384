#pragma once

#include "disk/NativeRename.h"

#include <QString>

#include <functional>

// The folder part of a path (with its trailing "/") and its last name, by string: never
// resolved against the working directory or cleaned into another path.
QString folderPart(const QString &path);
QString namePart(const QString &path);

// A path as the native calls take it: the file system's encoding here, wide with native
// separators on Windows.
NativeRename::Path nativeDiskPath(const QString &path);

// True when anything has this name: file, folder, or link (also a dangling one).
bool isOccupied(const QString &path);

// The first free numbered variant of `path`: the path itself when nothing has that name,
// else "folder/base(k).ext" (or "folder/base(k)") with the smallest k >= 1 that is free.
// Links, even dangling ones, count as taken.
QString makeUniquePath(const QString &path);
// The same, with `taken` saying which paths are taken (the disk, or a preview's picture of it).
QString makeUniquePath(const QString &path, const std::function<bool(const QString &)> &taken);

// True when `name` may become the name of an entry in its own folder: not empty, not "." or
// "..", no "/" or "\", no control character (line breaks included), reaches the disk exactly
// as it stands (survivesFileSystemEncoding); on Windows also what isAcceptableWindowsName
// refuses. Every name that reaches the disk (rename, creation, export) passes here.
bool isAcceptableName(const QString &name);

// Why isAcceptableName refuses `name`, or why the file system would not take it (longer than
// 255 bytes in its encoding; 255 UTF-16 units on Windows); empty when it may be used.
QString nameRefusal(const QString &name);

// Why the file system would not take the full path (beyond PATH_MAX, or MAX_PATH on Windows),
// or empty.
QString pathRefusal(const QString &path);

// False when the native calls would reach another entry than `path` names: on Windows, a name
// in it that ends in a dot or space, which Win32 drops ("a." opens "a"). True elsewhere.
bool pathReachesItself(const QString &path);

// True when `name` is well-formed UTF-16 (no half of a surrogate pair) and comes back
// unchanged from the file system's encoding (encoded, decoded, compared).
bool survivesFileSystemEncoding(const QString &name);

// The further rules of Windows: none of \/:*?"<>| or control characters, no trailing dot or
// space, and no device name (CON, NUL, COM1, ...) before the first dot. Checked on every
// platform's tests; applied by isAcceptableName on Windows.
bool isAcceptableWindowsName(const QString &name);

// A name beside `path` (in its folder) that nothing uses yet: ".quorvex-<tag>-<random><suffix>",
// for a file or folder that stands in between, such as a save not yet checked.
QString unusedSiblingPath(const QString &path, const QString &tag, const QString &suffix = {});

// Moves the file `from` over `to` in one step (renameReplacing); true when done.
bool replaceFile(const QString &from, const QString &to);
