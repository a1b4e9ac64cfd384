#include "OfficeTestSupport.h"

#include "tests/support/LinuxTools.h"

namespace OfficeTest {

QByteArray python(const QStringList &arguments, bool *ok)
{
    const ToolRun run = runLinuxTool(QStringLiteral("/usr/bin/python3"), arguments);
    *ok = run.ok();
    if (!*ok)
        qWarning().noquote() << run.error << run.err;
    return run.out;
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
