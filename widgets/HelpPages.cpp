#include "widgets/HelpPages.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace {

// Next to the program first (the run-time folder), then below the working directory.
QString helpFile()
{
    const QStringList candidates = {
        QCoreApplication::applicationDirPath() + QStringLiteral("/help/index.html"),
        QDir::current().absoluteFilePath(QStringLiteral("help/index.html")),
    };
    for (const QString &path : candidates) {
        if (QFileInfo(path).isFile())
            return QFileInfo(path).absoluteFilePath();
    }
    return QString();
}

bool openUrl(const QUrl &url)
{
    if (!url.isValid()) {
        qWarning() << "help page not found below" << QCoreApplication::applicationDirPath();
        return false;
    }
    return QDesktopServices::openUrl(url);
}

} // namespace

namespace HelpPages {

QUrl helpCenterUrl()
{
    const QString path = helpFile();
    return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
}

QUrl onlineServiceUrl()
{
    QUrl url = helpCenterUrl();
    if (url.isValid())
        url.setFragment(QStringLiteral("service"));
    return url;
}

bool openHelpCenter()
{
    return openUrl(helpCenterUrl());
}

bool openOnlineService()
{
    return openUrl(onlineServiceUrl());
}

} // namespace HelpPages
