#pragma once

#include <QString>
#include <QStringList>

// Text taken apart by rule steps is cut only between whole characters: half of a surrogate
// pair is no character, has no form in a file system's encoding, and would change a name on
// its way to the disk.

// True when cutting `text` before index `at` would part a surrogate pair.
bool splitsPair(const QString &text, int at);

// The first occurrence of `find` at or after `from` that starts and ends between whole
// characters, or -1. Case-sensitive.
int indexOfWhole(const QString &text, const QString &find, int from = 0);

// Every occurrence of `find` replaced, left to right without rescanning, as QString::replace
// does, except those that would part a surrogate pair. An empty `find` puts `replacement`
// before, between and after every character.
QString replaceWhole(const QString &text, const QString &find, const QString &replacement);

// `text` split at every occurrence of `separator` that parts no surrogate pair; empty parts
// are kept. An empty separator gives the text whole.
QStringList splitWhole(const QString &text, const QString &separator);
