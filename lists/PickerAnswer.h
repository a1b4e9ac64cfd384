#pragma once

#include <QString>
#include <QStringList>

// Splits the folder picker's ";"-joined answer into paths. A part that does not begin like an
// absolute path continues the previous one: folder names may hold ";", but never a separator
// or a drive, so this undoes the joining exactly. An empty answer gives an empty list.
QStringList splitPickerAnswer(const QString &answer);

// The two arguments with which Explorer opens the folder of path and selects it.
QStringList explorerSelectArguments(const QString &path);
