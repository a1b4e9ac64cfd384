#include "widgets/FileChoices.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>

QString chooseFolder(QWidget *parent, const QString &title)
{
    return QFileDialog::getExistingDirectory(parent, title, QString(), QFileDialog::ShowDirsOnly);
}

QString chooseWorkbookFile(QWidget *parent)
{
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("选择要导入名称的Excel文件"), QString(), QStringLiteral("*.xlsx"));
}

void showChosenPath(QAbstractButton *button, const QString &path)
{
    button->setText(path);
    button->setToolTip(path);
}

void showChosenWorkbook(
    QAbstractButton *label, QWidget *chosenRow, QWidget *importButton, const QString &path)
{
    label->setIcon(QFileIconProvider().icon(QFileInfo(path)));
    showChosenPath(label, path);
    chosenRow->show();
    importButton->hide();
}
