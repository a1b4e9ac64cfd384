#pragma once

#include <QString>

// Opens the folder holding path in the platform's file manager with the entry selected; where
// that cannot be done, opens the folder. Nothing is waited for or reported.
void showInFolder(const QString &path);
