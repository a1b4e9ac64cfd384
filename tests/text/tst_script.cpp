#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/LinuxTools.h"
#include "tests/text/TextTests.h"
#include "text/CCConverter.h"

namespace {

const QStringList simplifiedPhrases
    = {"汉字", "简体中文转换", "头发", "发展", "干燥", "乾隆皇帝", "里面", "后来", "皇后", "面条",
        "台湾", "计算机", "内存", "文件名", "照片2024年3月", "一只猫", "开发者", "测试文件夹",
        "云南", "周末", "着急", "范围", "系统设置", "钟表", "松树", "IMG_2024 照片备份",
        "我们的软件很好用", "这里是一个测试句子。", "数据库", "网络", "信息", "历史记录"};

const QStringList traditionalPhrases
    = {"漢字", "頭髮", "發展", "乾燥", "後來", "裏面", "麪條", "電腦", "開發者", "檔案名稱",
        "測試資料夾", "臺灣", "著名", "歷史記錄", "資料庫", "網路", "系統設定", "鐘錶", "鬆樹",
        "IMG_2024 照片備份", "這裡是一個測試句子。", "乾隆皇帝", "皇后", "週末"};

// Debian's opencc command with the same configuration, one phrase per line.
QStringList openccTool(const QString &config, const QStringList &phrases)
{
    const ToolRun tool = runLinuxTool(QStringLiteral("opencc"), {QStringLiteral("-c"), config},
        phrases.join(QLatin1Char('\n')).toUtf8() + '\n', {}, QStringLiteral(QUORVEX_RUNTIME_DIR));
    if (!tool.ok())
        return {};
    QString out = QString::fromUtf8(tool.out);
    if (out.endsWith(QLatin1Char('\n')))
        out.chop(1);
    return out.split(QLatin1Char('\n'));
}

} // namespace

void ScriptConversionTest::initTestCase()
{
    QVERIFY2(
        CCConverter::instance()->isLoaded(), qPrintable(CCConverter::instance()->errorMessage()));
}

void ScriptConversionTest::matchesOpenccTool_data()
{
    QTest::addColumn<bool>("toTraditional");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("expected");

    const QStringList s2t = openccTool(QStringLiteral("s2t.json"), simplifiedPhrases);
    const QStringList t2s = openccTool(QStringLiteral("t2s.json"), traditionalPhrases);
    QCOMPARE(s2t.size(), simplifiedPhrases.size());
    QCOMPARE(t2s.size(), traditionalPhrases.size());
    for (int i = 0; i < s2t.size(); ++i)
        QTest::newRow(qPrintable("s2t/" + simplifiedPhrases.at(i)))
            << true << simplifiedPhrases.at(i) << s2t.at(i);
    for (int i = 0; i < t2s.size(); ++i)
        QTest::newRow(qPrintable("t2s/" + traditionalPhrases.at(i)))
            << false << traditionalPhrases.at(i) << t2s.at(i);
}

void ScriptConversionTest::matchesOpenccTool()
{
    QFETCH(bool, toTraditional);
    QFETCH(QString, phrase);
    QFETCH(QString, expected);
    const CCConverter *cc = CCConverter::instance();
    QCOMPARE(
        toTraditional ? cc->simplifiedToTraditional(phrase) : cc->traditionalToSimplified(phrase),
        expected);
}

void ScriptConversionTest::unchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("Latin name") << "Holiday Photos-2024_v2 (final).JPG";
    QTest::newRow("accented Latin") << "Éclair café crème";
    QTest::newRow("punctuation and digits") << "#1 [a] {b} ~!@$%^&+=,;'";
    QTest::newRow("Cyrillic and Greek") << "Привет αβγ";
    QTest::newRow("emoji") << QString::fromUtf8("\xF0\x9F\x93\xB7 photo");
}

void ScriptConversionTest::unchanged()
{
    QFETCH(QString, text);
    const CCConverter *cc = CCConverter::instance();
    QCOMPARE(cc->simplifiedToTraditional(text), text);
    QCOMPARE(cc->traditionalToSimplified(text), text);
}

void ScriptConversionTest::keepsUnitsWithoutUtf8()
{
    // Units that have no UTF-8 form or end C strings stay where they are; the rest converts.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x93\xB7");
    for (const QChar unit : {QChar(0), QChar(0xD800), QChar(0xDC00)}) {
        const QString text = QStringLiteral("头发") + unit + QStringLiteral("头发") + emoji;
        const QString expected = QStringLiteral("頭髮") + unit + QStringLiteral("頭髮") + emoji;
        QCOMPARE(CCConverter::instance()->simplifiedToTraditional(text), expected);
        QCOMPARE(CCConverter::instance()->traditionalToSimplified(expected), text);
    }
}

void ScriptConversionTest::dictionariesHoldOnlyCjkKeys()
{
    // Plain names skip OpenCC (and the rename preview converts CJK runs alone) because no key
    // starts with, or holds, a character below U+2E80. Check the dictionaries we ship.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir runtime(QStringLiteral(QUORVEX_RUNTIME_DIR));
    const QStringList dictionaries = runtime.entryList({QStringLiteral("*.ocd2")}, QDir::Files);
    QVERIFY(dictionaries.size() >= 4);
    for (const QString &name : dictionaries) {
        const QString text = dir.filePath(name + QStringLiteral(".txt"));
        const ToolRun dump = runLinuxTool(QStringLiteral("opencc_dict"),
            {QStringLiteral("-i"), runtime.filePath(name), QStringLiteral("-o"), text,
                QStringLiteral("-f"), QStringLiteral("ocd2"), QStringLiteral("-t"),
                QStringLiteral("text")});
        QVERIFY2(dump.ok(), qPrintable(dump.error + dump.err));
        QFile file(text);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        int keys = 0;
        while (!file.atEnd()) {
            const QString key = QString::fromUtf8(file.readLine()).section(QLatin1Char('\t'), 0, 0);
            for (const QChar c : key)
                QVERIFY2(c.unicode() >= 0x2E80, qPrintable(name + QStringLiteral(": ") + key));
            ++keys;
        }
        QVERIFY2(keys > 100, qPrintable(name));
    }
}

void ScriptConversionTest::missingFiles_data()
{
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("damaged");
    QTest::addColumn<QString>("config");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("complete/s2t") << ""
                                  << ""
                                  << "s2t.json" << QStringList();
    QTest::newRow("complete/t2s") << ""
                                  << ""
                                  << "t2s.json" << QStringList();
    QTest::newRow("no s2t.json") << "s2t.json"
                                 << ""
                                 << "s2t.json" << QStringList {"s2t.json"};
    QTest::newRow("no phrases/s2t") << "STPhrases.ocd2"
                                    << ""
                                    << "s2t.json" << QStringList {"STPhrases.ocd2"};
    QTest::newRow("no characters/t2s") << "TSCharacters.ocd2"
                                       << ""
                                       << "t2s.json" << QStringList {"TSCharacters.ocd2"};
    QTest::newRow("no phrases/other config unaffected") << "STPhrases.ocd2"
                                                        << ""
                                                        << "t2s.json" << QStringList();
    QTest::newRow("damaged t2s.json") << ""
                                      << "t2s.json"
                                      << "t2s.json" << QStringList {"t2s.json"};
}

void ScriptConversionTest::missingFiles()
{
    QFETCH(QString, removed);
    QFETCH(QString, damaged);
    QFETCH(QString, config);
    QFETCH(QStringList, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir runtime(QStringLiteral(QUORVEX_RUNTIME_DIR));
    for (const QString &name :
        runtime.entryList({QStringLiteral("*.json"), QStringLiteral("*.ocd2")}, QDir::Files)) {
        if (name != removed)
            QVERIFY(QFile::copy(runtime.filePath(name), dir.filePath(name)));
    }
    if (!damaged.isEmpty()) {
        QFile f(dir.filePath(damaged));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("{ \"name\": ");
    }
    QCOMPARE(CCConverter::missingFiles(QDir(dir.path()), config), expected);
}
