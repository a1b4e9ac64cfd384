#include <QCoreApplication>
#include <QDir>
#include <QtTest>

#include "tests/text/TextTests.h"

// Several test classes share one program; each runs in turn and any failure fails the whole.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The converters read ./s2t.json and ./t2s.json, which the build lays out here.
    QDir::setCurrent(QStringLiteral(QUORVEX_RUNTIME_DIR));
    int status = 0;
    {
        SequenceTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        CaseTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        PinyinTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        ScriptConversionTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
