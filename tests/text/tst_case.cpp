#include <QtTest>

#include "tests/text/TextTests.h"
#include "text/CaseConversion.h"

void CaseTest::convert_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("expected");

    const QString words[]
        = {QStringLiteral("éclair"), QStringLiteral("ß"), QStringLiteral("中文abc"), QString()};
    const QStringList results[] = {
        {"éclair", "Éclair", "éclair", "ÉCLAIR", "éclair", "Éclair"},
        {"ß", "ß", "ß", "SS", "ß", "ß"},
        {"中文abc", "中文abc", "中文abc", "中文ABC", "中文abc", "中文abc"},
        {"", "", "", "", "", ""},
    };
    for (int w = 0; w < 4; ++w) {
        for (int mode = 0; mode <= 5; ++mode) {
            const QByteArray tag
                = (words[w].isEmpty() ? QStringLiteral("empty") : words[w]).toUtf8() + "/mode "
                + QByteArray::number(mode);
            QTest::newRow(tag.constData()) << words[w] << mode << results[w].at(mode);
        }
    }

    QTest::newRow("Hello World/first lower") << "Hello World" << 2 << "hello World";
    QTest::newRow("ÉCLAIR/all lower") << "ÉCLAIR Café" << 4 << "éclair café";
    QTest::newRow("digits first/first upper") << "1abc" << 1 << "1abc";
    QTest::newRow("words/all separators")
        << "my file_name-v2.final draft" << 5 << "My File_Name-V2.Final Draft";
    QTest::newRow("words/rest untouched") << "mIXED cASE" << 5 << "MIXED CASE";
    QTest::newRow("words/double space") << "a  b" << 5 << "A  B";
    QTest::newRow("words/after Chinese and space") << "中文 abc" << 5 << "中文 Abc";
    QTest::newRow("words/after separator at end") << "abc-" << 5 << "Abc-";
    QTest::newRow("words/no other separators") << "a,b(c)d" << 5 << "A,b(c)d";
    QTest::newRow("words/accented") << "à la carte" << 5 << "À La Carte";
    QTest::newRow("upper/surrogate pair full mapping")
        << QString::fromUtf8("\xF0\x90\x90\xA8") << 3 << QString::fromUtf8("\xF0\x90\x90\x80");
    QTest::newRow("first upper/surrogate pair untouched")
        << QString::fromUtf8("\xF0\x90\x90\xA8x") << 1 << QString::fromUtf8("\xF0\x90\x90\xA8x");
    QTest::newRow("unknown mode/unchanged") << "Abc" << 6 << "Abc";
    QTest::newRow("negative mode/unchanged") << "Abc" << -1 << "Abc";
}

void CaseTest::convert()
{
    QFETCH(QString, text);
    QFETCH(int, mode);
    QFETCH(QString, expected);
    QCOMPARE(convertCase(text, mode), expected);
}
