#include "tests/lists/ListTests.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

std::vector<std::function<QObject *()>> &listTestFactories()
{
    static std::vector<std::function<QObject *()>> factories;
    return factories;
}

bool makeFile(const QString &path, const QByteArray &content)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(content) == content.size();
}
