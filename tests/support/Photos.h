#pragma once

#include <QList>
#include <QStringList>

// Writes a small JPEG at each path (Python) and gives it the exiftool arguments of its row
// ("-DateTimeOriginal=2020:10:18 14:30:00"; none: no tags). False when a writer failed.
bool makePhotos(const QStringList &paths, const QList<QStringList> &tags);
