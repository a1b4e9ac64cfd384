#include "widgets/HelpPages.h"

#include "runtime/DataFolders.h"
#include "widgets/WarningDialog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace {

// Next to the program first (the run-time folder), then an install's data folder, then below
// the working directory.
QString helpFile()
{
    const QString installed = DataFolders::installedDataDir();
    const QStringList candidates = {
        QCoreApplication::applicationDirPath() + QStringLiteral("/help/index.html"),
        installed.isEmpty() ? QString() : installed + QStringLiteral("/help/index.html"),
        QDir::current().absoluteFilePath(QStringLiteral("help/index.html")),
    };
    for (const QString &path : candidates) {
        if (!path.isEmpty() && QFileInfo(path).isFile())
            return QFileInfo(path).absoluteFilePath();
    }
    return QString();
}

// A click that does nothing would leave the user guessing, so a failure is shown.
void tell(const QString &text)
{
    auto *dialog = new WarningDialog; // deletes itself when closed
    dialog->setTipText(text);
    dialog->open();
}

bool openUrl(const QUrl &url)
{
    if (!url.isValid()) {
        qWarning() << "help page not found below" << QCoreApplication::applicationDirPath();
        tell(QStringLiteral("找不到帮助页面“help/index.html”。\n查找位置：%1")
                 .arg(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())));
        return false;
    }
    if (QDesktopServices::openUrl(url))
        return true;
    qWarning() << "no browser took" << url;
    tell(QStringLiteral("无法用默认浏览器打开帮助页面：\n%1")
             .arg(QDir::toNativeSeparators(url.toLocalFile())));
    return false;
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
