#pragma once

#include <QString>

class QAbstractButton;
class QWidget;

// The file and folder choices the panels share, so every panel asks the same way.

// Where a file or folder dialog opens: the folder of the user's last choice in this session, else
// fallback when it exists, else the home folder (never a folder that is gone, nor the drive list).
QString dialogStartFolder(const QString &fallback = QString());
// Notes the user's choice (a file or a folder), for the next dialog to open beside it.
void rememberDialogChoice(const QString &path);

// The folder the user picks (folders only); empty when cancelled.
QString chooseFolder(QWidget *parent, const QString &title);

// The workbook the user picks for an import (*.xlsx); empty when cancelled.
QString chooseWorkbookFile(QWidget *parent);

// Shows a chosen path on its button: shortened in the middle to the button's width (again
// whenever that changes), so both its start and the chosen item's own name stay in view, and
// whole as tooltip. The button takes the width its layout gives and never widens the panel.
void showChosenPath(QAbstractButton *button, const QString &path);
// The path last shown by showChosenPath; empty once other text was put on the button.
QString chosenPath(const QAbstractButton *button);

// An import editor after a workbook was chosen: its row (the file's icon and path) takes the
// place of the import button.
void showChosenWorkbook(
    QAbstractButton *label, QWidget *chosenRow, QWidget *importButton, const QString &path);
