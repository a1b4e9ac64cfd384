#include "rename/RenamePreview.h"
#include "text/CCConverter.h"

#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(RenameRule)

namespace {

RenameRule custom(const std::function<void(RenameCustomSetting &)> &set, bool insert = false)
{
    RenameRule rule;
    rule.kind = insert ? RenameRule::Insert : RenameRule::Custom;
    set(rule.custom);
    return rule;
}

RenameRule insert(const std::function<void(RenameCustomSetting &)> &set)
{
    return custom(set, true);
}

RenameRule replace(const std::function<void(RenameReplaceSetting &)> &set)
{
    RenameRule rule;
    rule.kind = RenameRule::Replace;
    set(rule.replace);
    return rule;
}

RenameRule erase(const std::function<void(RenameDeleteSetting &)> &set)
{
    RenameRule rule;
    rule.kind = RenameRule::Delete;
    set(rule.erase);
    return rule;
}

void numbered(RenameCustomSetting &r, int start, int step, int width, int pos)
{
    r.numberSetCheck = true;
    r.numberType = 0;
    r.startNumber = start;
    r.incrementNumber = step;
    r.numberCount = width;
    r.numberPos = pos;
}

PreviewEntry entryOf(const QString &name, bool isFolder)
{
    return previewEntryFor(QFileInfo(QStringLiteral("/some/folder/") + name), isFolder);
}

} // namespace

class TestRenamePreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void stemAndExtension_data();
    void stemAndExtension();
    void preview_data();
    void preview();
    void importName_data();
    void importName();
    void replacePattern_data();
    void replacePattern();
    void entryTimes();
    void randomNamesDiffer();
    void ruleFromNameSpace();
    void scriptByRunsEqualsWhole();
};

void TestRenamePreview::initTestCase()
{
    QVERIFY2(
        CCConverter::instance()->isLoaded(), qPrintable(CCConverter::instance()->errorMessage()));
}

void TestRenamePreview::stemAndExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<QString>("stem");
    QTest::addColumn<QString>("extension");
    QTest::newRow("tar.gz/last dot") << "archive.tar.gz" << false << "archive.tar"
                                     << "gz";
    QTest::newRow("no dot") << "README" << false << "README"
                            << "";
    QTest::newRow("dotfile/empty stem") << ".gitignore" << false << ""
                                        << "gitignore";
    QTest::newRow("trailing dot") << "name." << false << "name"
                                  << "";
    QTest::newRow("dotted folder/whole") << "Season.2" << true << "Season.2"
                                         << "";
    QTest::newRow("unicode") << "照片 🎉.JPG" << false << "照片 🎉"
                             << "JPG";
}

void TestRenamePreview::stemAndExtension()
{
    QFETCH(QString, name);
    QFETCH(bool, isFolder);
    const PreviewEntry e = entryOf(name, isFolder);
    QTEST(e.stem, "stem");
    QTEST(e.extension, "extension");
}

void TestRenamePreview::preview_data()
{
    QTest::addColumn<RenameRule>("rule");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");

    // extension handling
    QTest::newRow("no extension/new suffix")
        << custom([](auto &r) { r.suffixCheck = true, r.newSuffix = "txt"; }) << "README" << false
        << 0 << "README.txt";
    QTest::newRow("no extension/empty new suffix")
        << custom([](auto &r) { r.suffixCheck = true; }) << "README" << false << 0 << "README";
    QTest::newRow("new suffix/typed with a dot")
        << custom([](auto &r) { r.suffixCheck = true, r.newSuffix = ".png"; }) << "a.jpg" << false
        << 0 << "a.png";
    QTest::newRow("new suffix/only while checked")
        << custom([](auto &r) { r.newSuffix = "png"; }) << "a.jpg" << false << 0 << "a.jpg";
    QTest::newRow("suffix replace/to nothing, no trailing dot")
        << custom([](auto &r) { r.suffixCheck = true, r.suffixType = 1, r.findContent = "jpg"; })
        << "a.jpg" << false << 0 << "a";
    QTest::newRow("suffix replace/empty find inserts everywhere")
        << custom([](auto &r) { r.suffixCheck = true, r.suffixType = 1, r.replaceContent = "x"; })
        << "a.txt" << false << 0 << "a.xtxxxtx";
    QTest::newRow("suffix replace/case-sensitive") << replace([](auto &r) {
        r.suffixCheck = true, r.suffixType = 1, r.findContent = "jpg", r.replaceContent = "png";
    }) << "a.JPG" << false << 0 << "a.JPG";
    QTest::newRow("dotfile/custom name")
        << custom([](auto &r) { r.nameText = "A"; }) << ".gitignore" << false << 0 << "A.gitignore";
    QTest::newRow("dotted folder/insert at end")
        << insert([](auto &r) { r.nameText = "X", r.insertPos = 1; }) << "2023.05" << true << 0
        << "2023.05X";
    QTest::newRow("dotted folder/never an extension")
        << custom([](auto &r) { r.suffixCheck = true, r.newSuffix = "txt"; }) << "2023.05" << true
        << 0 << "2023.05";
    QTest::newRow("case leaves the extension alone")
        << custom([](auto &r) { r.caseType = 4; }) << "PHOTO.JPG" << false << 0 << "photo.JPG";

    // custom and insert with numbering
    const auto photo = custom([](auto &r) { r.nameText = "photo", numbered(r, 1, 1, 3, 1); });
    QTest::newRow("numbering/row 0") << photo << "a.jpg" << false << 0 << "photo001.jpg";
    QTest::newRow("numbering/row 1") << photo << "b.png" << false << 1 << "photo002.png";
    QTest::newRow("numbering/row 2 no extension") << photo << "c" << false << 2 << "photo003";
    QTest::newRow("numbering/defaults give 0")
        << custom([](auto &r) { r.numberSetCheck = true; }) << "a.jpg" << false << 7 << "0a.jpg";
    QTest::newRow("numbering/negative step")
        << custom([](auto &r) { numbered(r, 0, -2, 1, 1); }) << "a" << false << 2 << "a-4";
    QTest::newRow("numbering/after N=0 equals front")
        << custom([](auto &r) { numbered(r, 5, 0, 1, 2); }) << "abc" << false << 0 << "5abc";
    QTest::newRow("numbering/after N pads")
        << custom([](auto &r) { numbered(r, 5, 0, 1, 2), r.numberBehindCount = 5; }) << "abc"
        << false << 0 << "abc  5";
    QTest::newRow("numbering/off keeps fields")
        << custom([](auto &r) { numbered(r, 5, 0, 1, 1), r.numberSetCheck = false; }) << "abc"
        << false << 0 << "abc";
    QTest::newRow("number only") << custom([](auto &r) {
        r.nameText = "x", numbered(r, 1, 1, 3, 0), r.useNumberAsName = true;
    }) << "a.jpg" << false << 4 << "005.jpg";
    QTest::newRow("number only/left set with numbering off")
        << custom([](auto &r) { r.useNumberAsName = true; }) << "a.jpg" << false << 0 << "a.jpg";
    QTest::newRow("letters wrap") << custom([](auto &r) {
        r.numberSetCheck = true, r.numberType = 1, r.startChar = 25, r.numberPos = 1;
    }) << "a" << false << 2 << "aa";
    QTest::newRow("insert/front") << insert([](auto &r) { r.nameText = "X"; }) << "abc.txt" << false
                                  << 0 << "Xabc.txt";
    QTest::newRow("insert/end") << insert([](auto &r) { r.nameText = "X", r.insertPos = 1; })
                                << "abc.txt" << false << 0 << "abcX.txt";
    QTest::newRow("insert/after 10 pads with spaces")
        << insert([](auto &r) { r.nameText = "X", r.insertPos = 2, r.insertBehindCount = 10; })
        << "abc" << false << 0 << "abc       X";
    QTest::newRow("insert/empty text")
        << insert([](auto &r) { r.insertPos = 2, r.insertBehindCount = 10; }) << "abc" << false << 0
        << "abc";
    QTest::newRow("insert/then numbering")
        << insert([](auto &r) { r.nameText = "X", numbered(r, 1, 1, 2, 1); }) << "abc.txt" << false
        << 1 << "Xabc02.txt";

    // script and case
    QTest::newRow("pinyin") << custom([](auto &r) { r.chineseToPinyinType = 1; }) << "中文abc.txt"
                            << false << 0 << "zhongwenabc.txt";
    QTest::newRow("pinyin wins over traditional")
        << custom([](auto &r) { r.chineseToPinyinType = 1, r.simplifiedTraditionalType = 1; })
        << "中文.txt" << false << 0 << "zhongwen.txt";
    QTest::newRow("to traditional") << replace([](auto &r) { r.simplifiedTraditionalType = 1; })
                                    << "简体字.txt" << false << 0 << "簡體字.txt";
    QTest::newRow("to simplified")
        << erase([](auto &r) { r.simplifiedTraditionalType = 2; }) << "繁體" << true << 0 << "繁体";
    QTest::newRow("case/first upper")
        << custom([](auto &r) { r.caseType = 1; }) << "éclair.txt" << false << 0 << "Éclair.txt";
    QTest::newRow("case/all upper sharp s")
        << custom([](auto &r) { r.caseType = 3; }) << "straße" << true << 0 << "STRASSE";
    QTest::newRow("case after pinyin")
        << custom([](auto &r) { r.chineseToPinyinType = 1, r.caseType = 1; }) << "中文" << true << 0
        << "Zhongwen";

    // replace and swap
    const auto imgToPhoto
        = replace([](auto &r) { r.replaceFindContent = "IMG", r.replaceReplaceContent = "Photo"; });
    QTest::newRow("replace/plain") << imgToPhoto << "IMG_001.jpg" << false << 0 << "Photo_001.jpg";
    QTest::newRow("replace/case-sensitive")
        << replace([](auto &r) { r.replaceFindContent = "img", r.replaceReplaceContent = "Photo"; })
        << "IMG_001.jpg" << false << 0 << "IMG_001.jpg";
    QTest::newRow("replace/empty replacement does nothing")
        << replace([](auto &r) { r.replaceFindContent = "IMG"; }) << "IMG_001" << false << 0
        << "IMG_001";
    QTest::newRow("replace/no rescan")
        << replace([](auto &r) { r.replaceFindContent = "a", r.replaceReplaceContent = "aa"; })
        << "aXa" << false << 0 << "aaXaa";
    QTest::newRow("replace/not in extension") << imgToPhoto << "x.IMG" << false << 0 << "x.IMG";
    const auto dash = replace([](auto &r) { r.splitText = "-"; });
    QTest::newRow("swap/two parts")
        << dash << "Artist-Title.mp3" << false << 0 << "Title-Artist.mp3";
    QTest::newRow("swap/spaces stay with parts")
        << dash << "Artist - Title" << false << 0 << " Title-Artist ";
    const auto underscore = replace([](auto &r) { r.splitText = "_"; });
    QTest::newRow("swap/three parts rotate") << underscore << "a_b_c" << false << 0 << "b_c_a";
    QTest::newRow("swap/empty part kept") << underscore << "a__b" << false << 0 << "_b_a";
    QTest::newRow("swap/no separator") << underscore << "abc" << false << 0 << "abc";
    QTest::newRow("swap/extension apart") << underscore << "a_b.txt" << false << 0 << "b_a.txt";
    QTest::newRow("swap/folder keeps dots")
        << replace([](auto &r) { r.splitText = "."; }) << "2023.05" << true << 0 << "05.2023";
    QTest::newRow("replace then swap") << replace([](auto &r) {
        r.replaceFindContent = "x", r.replaceReplaceContent = "z", r.splitText = "_";
    }) << "x_y" << false << 0 << "y_z";
    QTest::newRow("swap/multi-character separator")
        << replace([](auto &r) { r.splitText = " - "; }) << "A - B - C.flac" << false << 0
        << "B - C - A.flac";

    // delete
    QTest::newRow("delete/content all occurrences")
        << erase([](auto &r) { r.deleteContent = "copy"; }) << "report copy copy.doc" << false << 0
        << "report  .doc";
    QTest::newRow("delete/content case-sensitive")
        << erase([](auto &r) { r.deleteContent = "Copy"; }) << "report copy" << false << 0
        << "report copy";
    QTest::newRow("delete/content empty")
        << erase([](auto &r) { r.deleteType = 0; }) << "abc" << false << 0 << "abc";
    const auto byPos = [](int type, int pos, int count) {
        return erase([=](auto &r) {
            r.deleteType = 1, r.deletePosType = type, r.deletePos = pos, r.deleteCount = count;
        });
    };
    QTest::newRow("delete/front 0,4")
        << byPos(0, 0, 4) << "2023_trip.jpg" << false << 0 << "_trip.jpg";
    QTest::newRow("delete/front 4,1") << byPos(0, 4, 1) << "2023_trip" << false << 0 << "2023trip";
    QTest::newRow("delete/end 0,5") << byPos(1, 0, 5) << "trip_2023" << false << 0 << "trip";
    QTest::newRow("delete/end 4,1") << byPos(1, 4, 1) << "trip_2023" << false << 0 << "trip2023";
    QTest::newRow("delete/position past the end")
        << byPos(0, 20, 3) << "abcdefghij" << false << 0 << "abcdefghij";
    QTest::newRow("delete/run past the end")
        << byPos(0, 2, 99) << "abcdefghij" << false << 0 << "ab";
    QTest::newRow("delete/end run past the start")
        << byPos(1, 2, 99) << "abcdefghij" << false << 0 << "ij";
    QTest::newRow("delete/defaults change nothing")
        << byPos(0, 0, 0) << "abc" << false << 0 << "abc";
    QTest::newRow("delete/emoji is one character")
        << byPos(0, 1, 1) << "a😀b.txt" << false << 0 << "ab.txt";
    QTest::newRow("delete/from end before emoji") << byPos(1, 1, 1) << "a😀b" << false << 0 << "ab";
    QTest::newRow("delete/folder keeps dots")
        << byPos(1, 0, 3) << "Season.2023" << true << 0 << "Season.2";

    // text taken apart only between whole characters: never half of a surrogate pair
    const QString high(QChar(0xD83D)), low(QChar(0xDE00));
    QTest::newRow("halves/delete content high half")
        << erase([=](auto &r) { r.deleteContent = high; }) << "😀a😀.txt" << false << 0 << "😀a😀.txt";
    QTest::newRow("halves/delete content low half")
        << erase([=](auto &r) { r.deleteContent = low; }) << "😀a" << true << 0 << "😀a";
    QTest::newRow("halves/delete content whole emoji")
        << erase([](auto &r) { r.deleteContent = "😀"; }) << "a😀b😀" << true << 0 << "ab";
    QTest::newRow("halves/delete text ending in a half")
        << erase([=](auto &r) { r.deleteContent = "a" + high; }) << "a😀 a" << true << 0 << "a😀 a";
    QTest::newRow("halves/replace find half")
        << replace([=](auto &r) { r.replaceFindContent = low, r.replaceReplaceContent = "x"; })
        << "😀b.txt" << false << 0 << "😀b.txt";
    QTest::newRow("halves/replace whole after a half")
        << replace([=](auto &r) { r.replaceFindContent = high, r.replaceReplaceContent = "x"; })
        << QString("😀") + high + "y" << true << 0 << QString("😀xy");
    QTest::newRow("halves/swap separator half")
        << replace([=](auto &r) { r.splitText = high; }) << "a😀b" << true << 0 << "a😀b";
    QTest::newRow("halves/swap around a whole emoji")
        << replace([](auto &r) { r.splitText = "😀"; }) << "a😀b" << true << 0 << "b😀a";
    QTest::newRow("halves/suffix find half") << custom([=](auto &r) {
        r.suffixCheck = true, r.suffixType = 1, r.findContent = high, r.replaceContent = "x";
    }) << "a.😀" << false << 0 << "a.😀";
    QTest::newRow("halves/suffix empty find around whole characters")
        << custom([](auto &r) { r.suffixCheck = true, r.suffixType = 1, r.replaceContent = "x"; })
        << "a.😀t" << false << 0 << "a.x😀xtx";
    QTest::newRow("halves/insert after N inside an emoji")
        << insert([](auto &r) { r.nameText = "X", r.insertPos = 2, r.insertBehindCount = 1; })
        << "😀b" << true << 0 << "😀Xb";
    QTest::newRow("halves/number after N inside an emoji") << custom([](auto &r) {
        r.numberSetCheck = true, r.numberPos = 2, r.numberBehindCount = 2, r.startNumber = 5;
    }) << "a😀b" << true << 0 << "a😀5b";
    QTest::newRow("halves/delete position from the end takes the emoji whole")
        << byPos(1, 1, 2) << "x😀ab" << true << 0 << "xb";
}

void TestRenamePreview::preview()
{
    QFETCH(RenameRule, rule);
    QFETCH(QString, name);
    QFETCH(bool, isFolder);
    QFETCH(int, row);
    QTEST(previewName(rule, isFolder, entryOf(name, isFolder), row), "expected");
}

void TestRenamePreview::replacePattern_data()
{
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("regex");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // empty: the rule cannot be used, name unchanged

    QTest::newRow("regex/groups swapped") << "(\\d+)-(\\w+)" << true << true << "$2_$1"
                                          << "12-ab.txt"
                                          << "ab_12.txt";
    QTest::newRow("regex/named group") << "(?<year>\\d{4})" << true << true << "[${year}]"
                                       << "trip 2023.jpg"
                                       << "trip [2023].jpg";
    QTest::newRow("regex/whole match and dollar") << "\\d" << true << true << "$$$0"
                                                  << "a1b2"
                                                  << "a$1b$2";
    QTest::newRow("regex/empty replacement deletes") << "\\s+" << true << true << ""
                                                     << "my  holiday photo.png"
                                                     << "myholidayphoto.png";
    QTest::newRow("regex/case-blind") << "img" << true << false << "pic"
                                      << "IMG_01 img.jpg"
                                      << "pic_01 pic.jpg";
    QTest::newRow("regex/case-sensitive") << "img" << true << true << "pic"
                                          << "IMG_01 img.jpg"
                                          << "IMG_01 pic.jpg";
    QTest::newRow("regex/only the stem") << "jpg" << true << true << "x"
                                         << "jpg.jpg"
                                         << "x.jpg";
    QTest::newRow("regex/invalid pattern") << "(ab" << true << true << "x"
                                           << "ab.txt"
                                           << "";
    QTest::newRow("regex/pathological pattern")
        << "(a+)+$" << true << true << "x" << QString(30, 'a') + "b.txt"
        << "";
    QTest::newRow("plain/case-blind") << "Ab" << false << false << "x"
                                      << "ab AB aB.txt"
                                      << "x x x.txt";
    QTest::newRow("plain/signs are text") << "(1)" << false << false << "$1"
                                          << "a(1).txt"
                                          << "a$1.txt";
    QTest::newRow("plain/empty replacement keeps") << "a" << false << true << ""
                                                   << "aa.txt"
                                                   << "aa.txt";
}

// Through the whole row computation, as the list does it.
void TestRenamePreview::replacePattern()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    RenameRule rule = replace([](auto &r) {
        QFETCH(QString, find);
        QFETCH(bool, regex);
        QFETCH(bool, caseSensitive);
        QFETCH(QString, replacement);
        r.replaceFindContent = find, r.replaceRegex = regex;
        r.replaceCaseSensitive = caseSensitive, r.replaceReplaceContent = replacement;
    });
    QString trouble;
    const QString got = previewName(rule, false, entryOf(name, false), 0, &trouble);
    QCOMPARE(trouble.isEmpty(), !expected.isEmpty());
    QCOMPARE(got,
        expected.isEmpty() ? previewName(replace([](auto &) {}), false, entryOf(name, false), 0)
                           : expected);
}

void TestRenamePreview::importName_data()
{
    QTest::addColumn<QString>("imported");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("file keeps its extension") << "Holiday"
                                              << "a.jpg" << false << "Holiday.jpg";
    QTest::newRow("file without extension") << "Holiday"
                                            << "README" << false << "Holiday";
    QTest::newRow("folder whole") << "Archive"
                                  << "Season.2" << true << "Archive";
    QTest::newRow("empty cell/file") << ""
                                     << "a.jpg" << false << ".jpg";
    QTest::newRow("empty cell/folder") << ""
                                       << "Season.2" << true << "";
    QTest::newRow("taken exactly, not trimmed") << " x "
                                                << "a.b.c" << false << " x .c";
}

void TestRenamePreview::importName()
{
    QFETCH(QString, imported);
    QFETCH(QString, name);
    QFETCH(bool, isFolder);
    QTEST(importedName(imported, isFolder, entryOf(name, isFolder)), "expected");
}

void TestRenamePreview::entryTimes()
{
    PreviewEntry entry;
    entry.stem = "a";
    entry.extension = "jpg";
    entry.birthTime = QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3));
    entry.modifiedTime = QDateTime(QDate(2021, 12, 31), QTime(23, 59, 58));
    RenameRule rule = custom([](auto &r) {
        r.numberSetCheck = true, r.numberType = 3, r.timeType = 1, r.timeStyle = 6, r.numberPos = 1;
        r.nameText = "IMG_";
    });
    QVERIFY(rule.needsEntryTimes());
    QCOMPARE(previewName(rule, false, entry, 0), QString("IMG_20240305090703.jpg"));
    rule.custom.timeType = 2;
    rule.custom.timeStyle = 1;
    QCOMPARE(previewName(rule, false, entry, 0), QString("IMG_2021年12月31日.jpg"));
    rule.custom.timeType = 0;
    QVERIFY(!rule.needsEntryTimes());
    QTemporaryDir dir;
    QFile f(dir.filePath("x.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    rule.custom.timeType = 2;
    rule.custom.timeStyle = 2;
    const PreviewEntry real = previewEntryFor(QFileInfo(dir.filePath("x.txt")), false, true);
    QCOMPARE(previewName(rule, false, real, 0),
        "IMG_" + QFileInfo(dir.filePath("x.txt")).lastModified().toString("yyyyMMdd") + ".txt");
}

void TestRenamePreview::randomNamesDiffer()
{
    const RenameRule rule = custom([](auto &r) {
        r.numberSetCheck = true, r.numberType = 2, r.randomRule = 0, r.charCount = 12,
        r.useNumberAsName = true;
    });
    const PreviewEntry entry = entryOf("a.txt", false);
    const QString first = previewName(rule, false, entry, 0);
    QVERIFY(QRegularExpression("^[0-9]{12}\\.txt$").match(first).hasMatch());
    QVERIFY(first != previewName(rule, false, entry, 0)); // fresh draw every computation
}

void TestRenamePreview::ruleFromNameSpace()
{
    RenameRules::fileInsert()->nameText = "ins";
    RenameRules::folderCustom()->autoNameErrorCheck = false;
    RenameRule rule;
    QVERIFY(RenameRule::fromNameSpace("FILE INSERT RENAME", &rule));
    QCOMPARE(rule.kind, RenameRule::Insert);
    QCOMPARE(rule.custom.nameText, QString("ins"));
    QVERIFY(rule.autoResolve());
    QVERIFY(RenameRule::fromNameSpace("FOLDER CUSTOM RENAME", &rule));
    QCOMPARE(rule.kind, RenameRule::Custom);
    QVERIFY(!rule.autoResolve());
    QVERIFY(RenameRule::fromNameSpace("FOLDER DELETE RENAME", &rule));
    QVERIFY(rule.autoResolve()); // the delete rule always resolves
    QVERIFY(!RenameRule::fromNameSpace("file insert rename", &rule));
    QVERIFY(!RenameRule::fromNameSpace("START CHANGE NAME", &rule));
    RenameRules::resetRecords(false);
    RenameRules::resetRecords(true);
    QVERIFY(RenameRules::fileInsert()->nameText.isEmpty());
    QVERIFY(RenameRules::folderCustom()->autoNameErrorCheck);
}

// The preview converts runs of CJK characters apart and remembers them; the result must be
// what converting the whole name gives.
void TestRenamePreview::scriptByRunsEqualsWhole()
{
    static const QStringList pieces
        = {"简体", "中文", "后", "发", "面", "干", "台", "里", "着", "了", "a", "1", " ", "-", "_",
            "Ab", "。", "，", "🎉", "乾隆", "頭髮", "皇后", "计算机", "软件", "鼠标", "A", "(1)"};
    QRandomGenerator rng(11);
    RenameRule toTraditional = replace([](auto &r) { r.simplifiedTraditionalType = 1; });
    RenameRule toSimplified = replace([](auto &r) { r.simplifiedTraditionalType = 2; });
    for (int n = 0; n < 400; ++n) {
        QString stem;
        const int length = 1 + rng.bounded(10);
        for (int k = 0; k < length; ++k)
            stem += pieces.at(rng.bounded(pieces.size()));
        PreviewEntry entry;
        entry.stem = stem;
        QCOMPARE(previewName(toTraditional, true, entry, 0),
            CCConverter::instance()->simplifiedToTraditional(stem));
        QCOMPARE(previewName(toSimplified, true, entry, 0),
            CCConverter::instance()->traditionalToSimplified(stem));
    }
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // the converters read ./s2t.json and ./t2s.json, as the program does
    QDir::setCurrent(QStringLiteral(QUORVEX_RUNTIME_DIR));
    TestRenamePreview test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_renamepreview.moc"
