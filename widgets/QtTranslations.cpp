#include "widgets/QtTranslations.h"

#include "runtime/DataFolders.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

bool installQtTranslations()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto *translator = new QTranslator(QCoreApplication::instance());
    const QString name = QStringLiteral("qtbase_zh_CN");
    // The copy shipped with the program first, found as its other data is (a static Qt on
    // Windows has no translations folder of its own): that is the one tested with it.
    QStringList folders;
    for (const QString &folder : DataFolders::searchFolders())
        folders << folder + QStringLiteral("/translations");
    folders << QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    for (const QString &folder : folders) {
        if (translator->load(name, folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
    }
    qWarning("%s.qm was found neither beside the program nor in %s: Qt's dialogs stay in English",
        qUtf8Printable(name),
        qUtf8Printable(QLibraryInfo::location(QLibraryInfo::TranslationsPath)));
    delete translator;
    return false;
}
