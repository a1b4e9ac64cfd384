#include "widgets/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installQtTranslations()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto *translator = new QTranslator(QCoreApplication::instance());
    const QString name = QStringLiteral("qtbase_zh_CN");
    // The copy beside the program first: that is the one shipped and tested with it.
    for (const QString &folder :
        {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
            QLibraryInfo::location(QLibraryInfo::TranslationsPath)}) {
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
