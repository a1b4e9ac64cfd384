#include "OfficeTestSupport.h"

namespace OfficeTest {

QByteArray python(const QStringList &arguments, bool *ok)
{
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"), arguments);
    *ok = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
    if (!*ok)
        qWarning().noquote() << process.readAllStandardError();
    return process.readAllStandardOutput();
}

bool makeBook(const QString &caseName, const QString &path)
{
    bool ok = false;
    python({QStringLiteral(QUORVEX_TEST_DATA_DIR "/make_books.py"), caseName, path}, &ok);
    return ok;
}

QList<QStringList> texts(const QList<QVariant> &rows)
{
    QList<QStringList> out;
    for (const QVariant &row : rows)
        out.append(row.toStringList());
    return out;
}

} // namespace OfficeTest
