#include "lists/ShowInFolder.h"

#include "lists/PickerAnswer.h"

#include <QProcess>

void showInFolder(const QString &path)
{
    QProcess::startDetached(QStringLiteral("explorer"), explorerSelectArguments(path));
}
