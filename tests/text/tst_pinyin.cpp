#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/LinuxTools.h"
#include "tests/text/TextTests.h"
#include "text/PinyinConverter.h"

void PinyinTest::table()
{
    QVERIFY(loadPinyinTable());
    const QStringList &t = pinyinTable();
    QCOMPARE(t.size(), 20902);
    const QRegularExpression syllable(QStringLiteral("^[a-z]+$"));
    for (int i = 0; i < t.size(); ++i)
        QVERIFY2(syllable.match(t.at(i)).hasMatch(),
            qPrintable(QStringLiteral("U+%1: '%2'").arg(0x4E00 + i, 4, 16).arg(t.at(i))));
    QCOMPARE(t.at(0x4E2D - 0x4E00), QStringLiteral("zhong"));
    QCOMPARE(t.at(0x6587 - 0x4E00), QStringLiteral("wen"));
}

void PinyinTest::resourceFormat()
{
    QFile file(QStringLiteral(":/zhtopy.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // One line of ASCII, single spaces, nothing around it.
    QVERIFY(!bytes.contains('\n') && !bytes.contains('\r'));
    QVERIFY(!bytes.contains("  "));
    QVERIFY(!bytes.startsWith(' ') && !bytes.endsWith(' '));
    for (const char c : bytes)
        QVERIFY(c == ' ' || (c >= 'a' && c <= 'z'));
    QCOMPARE(bytes.count(' '), 20901);
}

void PinyinTest::generatedTableIsCurrent()
{
    const QString dictionary
        = QStringLiteral("/usr/share/gocode/src/github.com/mozillazg/go-pinyin/pinyin_dict.go");
    if (!QFile::exists(dictionary))
        QSKIP("the Pinyin dictionary package is not installed; the committed table is used as is");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("zhtopy.txt"));
    const ToolRun script = runLinuxTool(QStringLiteral("/usr/bin/python3"),
        {QStringLiteral(QUORVEX_SOURCE_DIR "/tools/gen_zhtopy.py"), dictionary, out});
    QVERIFY2(script.ok(), qPrintable(script.error + script.err));
    QFile generated(out), committed(QStringLiteral(QUORVEX_SOURCE_DIR "/resources/zhtopy.txt"));
    QVERIFY(generated.open(QIODevice::ReadOnly) && committed.open(QIODevice::ReadOnly));
    QVERIFY2(generated.readAll() == committed.readAll(),
        "resources/zhtopy.txt differs from what tools/gen_zhtopy.py makes");
}

void PinyinTest::convert_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString last = QString(QChar(0x9FA5));
    const QString pastLast = QString(QChar(0x9FA6));
    const QString extA = QString(QChar(0x3400));
    const QString extB = QString::fromUtf8("\xF0\xA0\x80\x80"); // U+20000
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("中文abc") << "中文abc"
                             << "zhongwenabc";
    QTest::newRow("ASCII/unchanged") << "ABC123"
                                     << "ABC123";
    QTest::newRow("U+4E00/first") << QString(QChar(0x4E00)) << "yi";
    QTest::newRow("U+9FA5/last covered") << last << "yu";
    QTest::newRow("U+9FA6/kept") << pastLast << pastLast;
    QTest::newRow("U+3400/kept") << extA << extA;
    QTest::newRow("U+20000 surrogate pair/kept") << extB + "中" << extB + "zhong";
    QTest::newRow("ü as v") << "绿女"
                            << "lvnv";
    QTest::newRow("polyphonic/one reading") << "银行行走"
                                            << "yinxingxingzou";
    QTest::newRow("mixed name") << "第01集 中国-合集"
                                << "di01ji zhongguo-heji";
    QTest::newRow("fallback reading") << QString(QChar(0x5159)) << "shike";
    QTest::newRow("full-width and punctuation kept") << "《文》，"
                                                     << "《wen》，";
}

void PinyinTest::convert()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(toPinyin(text), expected);
    QCOMPARE(PinyinConverter().toPinyin(text), expected);
}

void PinyinTest::converterReusesTable()
{
    const PinyinConverter first;
    const QStringList &before = pinyinTable();
    const QChar *data = before.at(0).constData();
    for (int i = 0; i < 100; ++i) {
        const PinyinConverter again;
        QCOMPARE(again.toPinyin(QStringLiteral("中文")), QStringLiteral("zhongwen"));
    }
    // The list is the same storage, not re-read per converter.
    QCOMPARE(pinyinTable().at(0).constData(), data);
}
