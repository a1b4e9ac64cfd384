#include "OfficeTestSupport.h"

#include "office/Automation.h"
#include "office/WordWriter.h"
#include "tests/support/CaseBlindMount.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMutex>

using namespace OfficeTest;

namespace {

// Wraps another automation object and records every call made on it or on
// the sub-objects it hands out, as "member|argument".
class RecordingObject : public AutomationObject
{
public:
    RecordingObject(std::unique_ptr<AutomationObject> inner, QStringList *log)
        : owned(std::move(inner)), inner(owned.get()), log(log)
    { }
    RecordingObject(AutomationObject *borrowed, QStringList *log) : inner(borrowed), log(log) { }

    bool setControl(const QString &control) override
    {
        record("setControl", control);
        return inner->setControl(control);
    }
    QVariant dynamicCall(const char *function, const QVariant &var1) override
    {
        record(function, var1);
        return inner->dynamicCall(function, var1);
    }
    AutomationObject *querySubObject(const char *name, const QVariant &var1) override
    {
        record(name, var1);
        AutomationObject *child = inner->querySubObject(name, var1);
        return child ? adopt(new RecordingObject(child, log)) : nullptr;
    }
    bool lastCallFailed() const override { return inner->lastCallFailed(); }

private:
    void record(const char *member, const QVariant &argument)
    {
        log->append(QString::fromLatin1(member)
            + (argument.isValid() ? "|" + argument.toString() : QString()));
    }
    std::unique_ptr<AutomationObject> owned;
    AutomationObject *inner;
    QStringList *log;
};

// Reports that no automation server exists, like a machine without Word.
class MissingServer : public AutomationObject
{
public:
    bool setControl(const QString &) override { return false; }
    QVariant dynamicCall(const char *, const QVariant &) override { return {}; }
    AutomationObject *querySubObject(const char *, const QVariant &) override { return nullptr; }
    bool lastCallFailed() const override { return true; }
};

// Answers chosen members as an automation layer does when it cannot resolve them: nothing
// happens, the answer is an invalid value or a null object, and no failure is flagged.
// "empty:<member>" makes the member leave an empty file at its argument instead.
class SilentObject : public AutomationObject
{
public:
    SilentObject(std::unique_ptr<AutomationObject> inner, QString answer, QStringList *log)
        : owned(std::move(inner)), inner(owned.get()), answer(std::move(answer)), log(log)
    { }
    SilentObject(AutomationObject *borrowed, QString answer, QStringList *log)
        : inner(borrowed), answer(std::move(answer)), log(log)
    { }

    bool setControl(const QString &control) override { return inner->setControl(control); }
    QVariant dynamicCall(const char *function, const QVariant &var1) override
    {
        log->append(QString::fromLatin1(function));
        silent = answer.endsWith(QLatin1Char(':') + QLatin1String(function));
        if (!silent)
            return inner->dynamicCall(function, var1);
        if (answer.startsWith(QLatin1String("empty:"))) {
            QFile file(QDir::fromNativeSeparators(var1.toString()));
            file.open(QIODevice::WriteOnly);
        }
        return {};
    }
    AutomationObject *querySubObject(const char *name, const QVariant &var1) override
    {
        log->append(QString::fromLatin1(name));
        silent = answer.endsWith(QLatin1Char(':') + QLatin1String(name));
        if (silent)
            return nullptr;
        AutomationObject *child = inner->querySubObject(name, var1);
        return child ? adopt(new SilentObject(child, answer, log)) : nullptr;
    }
    bool lastCallFailed() const override { return !silent && inner->lastCallFailed(); }

private:
    std::unique_ptr<AutomationObject> owned;
    AutomationObject *inner;
    QString answer;
    QStringList *log;
    bool silent = false;
};

// Members as ActiveQt presents a server's type information: meta-methods with their results.
class TypeInfo : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE QString FullName() { return {}; }
    Q_INVOKABLE QVariant Paragraphs(int) { return {}; }
    Q_INVOKABLE void SaveAs(const QString &) { }
    Q_INVOKABLE void Quit() { }
};

QStringList docxParagraphs(const QString &path, bool *ok)
{
    const QByteArray out = python({"-c",
                                      "import json,sys,docx\n"
                                      "d=docx.Document(sys.argv[1])\n"
                                      "print(json.dumps([p.text for p in d.paragraphs]))\n",
                                      path},
        ok);
    QStringList paragraphs;
    for (const QJsonValue &value : QJsonDocument::fromJson(out).array())
        paragraphs.append(value.toString());
    return paragraphs;
}

void flush()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class TestWord : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void cleanup() { setAutomationFactory({}); }

    void makesTheAutomationCallsInOrder()
    {
        QStringList log;
        setAutomationFactory([&log] {
            return std::make_unique<RecordingObject>(createBuiltInAutomationObject(), &log);
        });
        const QString path = dir.filePath("calls.docx");
        Receiver receiver;
        QVERIFY(writeWordRows({{"a", "b c"}, {"d", "e"}}, path, &receiver));
        const QStringList expected {
            "setControl|Word.Application",
            "SetVisible (bool Visible)|false",
            "Documents",
            "Add()",
            "ActiveDocument",
            "Paragraphs(int)|1",
            "Range",
            "InsertAfter (QString)|a b c",
            "InsertAfter (QString)|\n",
            "InsertAfter (QString)|d e",
            "InsertAfter (QString)|\n",
            "SaveAs(const QString&)|<fresh>",
            "Close()",
            "Quit()",
        };
        // Word saves under a fresh name beside the file, which then takes the file's place.
        const QString saveAs = "SaveAs(const QString&)|";
        QVERIFY(log.value(11).startsWith(
            saveAs + QDir::toNativeSeparators(dir.filePath(".quorvex-save-"))));
        log[11] = saveAs + "<fresh>";
        QCOMPARE(log, expected);
        bool ok = false;
        QCOMPARE(docxParagraphs(path, &ok), (QStringList {"a b c", "d e"}));
        QVERIFY(ok);
    }

    void paragraphs_data()
    {
        QTest::addColumn<ExportRows>("rows");
        QTest::addColumn<QStringList>("paragraphs");
        const QString replacement(QChar(0xFFFD));
        QTest::newRow("one per row") << ExportRows {{"a.txt"}, {"b.txt"}, {"c.txt"}}
                                     << QStringList {"a.txt", "b.txt", "c.txt"};
        QTest::newRow("spaces kept")
            << ExportRows {{" two  spaces ", "/p/a b"}} << QStringList {" two  spaces  /p/a b"};
        QTest::newRow("chinese") << ExportRows {{"报告 最终版.docx"}}
                                 << QStringList {"报告 最终版.docx"};
        QTest::newRow("markup characters") << ExportRows {{"<a&b>\"'"}} << QStringList {"<a&b>\"'"};
        QTest::newRow("control characters/replaced") << ExportRows {
            {"a\x01"
             "b\x1f"
             "c\x0b"}} << QStringList {"a" + replacement + "b" + replacement + "c" + replacement};
        QTest::newRow("control characters/tab kept")
            << ExportRows {{"a\tb"}} << QStringList {"a\tb"};
        QTest::newRow("newline in a value/new paragraph")
            << ExportRows {{"first\nsecond"}} << QStringList {"first", "second"};
        QTest::newRow("lone surrogate")
            << ExportRows {{QString("a") + QChar(0xDC00)}} << QStringList {"a" + replacement};
        QTest::newRow("no rows/one empty paragraph") << ExportRows {} << QStringList {""};
        QTest::newRow("empty row/empty paragraph")
            << ExportRows {{"x"}, {}, {"y"}} << QStringList {"x", "", "y"};
    }

    void paragraphs()
    {
        QFETCH(ExportRows, rows);
        QFETCH(QStringList, paragraphs);
        const QString path = dir.filePath("paragraphs.docx");
        Receiver receiver;
        QVERIFY(writeWordRows(rows, path, &receiver));
        bool ok = false;
        QCOMPARE(docxParagraphs(path, &ok), paragraphs);
        QVERIFY(ok);
        flush();
        QVERIFY(receiver.items.isEmpty());
    }

    void failures_data()
    {
        QTest::addColumn<bool>("wordInstalled");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("message");
        QTest::newRow("no Word") << false << "noword.docx"
                                 << "无法启动Word，请确认已安装Microsoft Word！";
        QTest::newRow("missing folder") << true << "missing/out.docx"
                                        << "保存文件失败！";
        QTest::newRow("path is a folder") << true << "."
                                          << "保存文件失败！";
    }

    void failures()
    {
        QFETCH(bool, wordInstalled);
        QFETCH(QString, where);
        QFETCH(QString, message);
        if (!wordInstalled)
            setAutomationFactory([] { return std::make_unique<MissingServer>(); });
        const QString path = dir.filePath(where);
        const bool existed = QFileInfo::exists(path);
        Receiver receiver;
        QVERIFY(!writeWordRows({{"a"}}, path, &receiver));
        flush();
        QCOMPARE(receiver.messages(), QStringList {message});
        QCOMPARE(QFileInfo::exists(path), existed);
    }

    void silentFailures_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("oldFile");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("added"); // a document was added, so it must be closed unsaved
        const QString wordFailed = QStringLiteral("写入Word文档失败！");
        const QString saveFailed = QStringLiteral("保存文件失败！");
        QTest::newRow("SaveAs/does nothing")
            << "none:SaveAs(const QString&)" << false << saveFailed << true;
        QTest::newRow("SaveAs/does nothing, an older file stays")
            << "none:SaveAs(const QString&)" << true << saveFailed << true;
        QTest::newRow("SaveAs/leaves an empty file")
            << "empty:SaveAs(const QString&)" << false << saveFailed << true;
        QTest::newRow("null sub-object/Documents")
            << "none:Documents" << false << wordFailed << false;
        QTest::newRow("null sub-object/Add()") << "none:Add()" << false << wordFailed << false;
        QTest::newRow("null sub-object/ActiveDocument")
            << "none:ActiveDocument" << false << wordFailed << true;
        QTest::newRow("null sub-object/Range") << "none:Range" << false << wordFailed << true;
    }

    // Nothing that silently did nothing counts as written, and Word is quit in every case.
    void silentFailures()
    {
        QFETCH(QString, answer);
        QFETCH(bool, oldFile);
        QFETCH(QString, message);
        QFETCH(bool, added);
        QStringList log;
        setAutomationFactory([&log, answer] {
            return std::make_unique<SilentObject>(createBuiltInAutomationObject(), answer, &log);
        });
        const QString path = dir.filePath("silent.docx");
        QFile::remove(path);
        QByteArray old;
        if (oldFile) {
            setAutomationFactory({});
            Receiver first;
            QVERIFY(writeWordRows({{"older"}}, path, &first));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            old = file.readAll();
            setAutomationFactory([&log, answer] {
                return std::make_unique<SilentObject>(
                    createBuiltInAutomationObject(), answer, &log);
            });
        }
        Receiver receiver;
        QVERIFY(!writeWordRows({{"a", "b"}}, path, &receiver));
        flush();
        QCOMPARE(receiver.messages(), QStringList {message});
        QCOMPARE(log.last(), QStringLiteral("Quit()"));
        QCOMPARE(log.contains(QStringLiteral("Close(int)")), added);
        if (oldFile) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), old);
        }
    }

    // FAT keeps times to two seconds: a second save right after the first is told apart, and a
    // failed one leaves the old file and nothing else.
    void savesOnACoarseClock_data()
    {
        QTest::addColumn<QString>("second"); // the second save's one row
        QTest::addColumn<bool>("works"); // else SaveAs leaves an empty file (silentFailures)
        QTest::newRow("same rows again") << "a" << true;
        QTest::newRow("same size, other text") << "b" << true;
        QTest::newRow("failed save/old file whole") << "b" << false;
    }

    void savesOnACoarseClock()
    {
        QFETCH(QString, second);
        QFETCH(bool, works);
        CaseBlindMount fat(8);
        if (!fat.isMounted())
            QSKIP(qPrintable(fat.skipReason()));
        const QString path = fat.path() + "/list.docx";
        Receiver receiver;
        QVERIFY(writeWordRows({{"a"}}, path, &receiver));
        QStringList log;
        if (!works)
            setAutomationFactory([&log] {
                return std::make_unique<SilentObject>(
                    createBuiltInAutomationObject(), "empty:SaveAs(const QString&)", &log);
            });
        QCOMPARE(writeWordRows({{second}}, path, &receiver), works);
        flush();
        QCOMPARE(receiver.messages(), works ? QStringList() : QStringList {"保存文件失败！"});
        bool ok = false;
        QCOMPARE(docxParagraphs(path, &ok), QStringList {works ? second : "a"});
        QVERIFY(ok);
        QCOMPARE(QDir(fat.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"list.docx"});
    }

    void invalidAnswerWhereResultDeclared_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QVariant>("answer");
        QTest::addColumn<bool>("failed");
        QTest::newRow("declared result/nothing came back") << "FullName()" << QVariant() << true;
        QTest::newRow("declared result/answered") << "FullName()" << QVariant("a.docx") << false;
        QTest::newRow("declared result/spaced signature")
            << "Paragraphs (int)" << QVariant() << true;
        QTest::newRow("no result declared/nothing expected") << "Quit()" << QVariant() << false;
        QTest::newRow("no result declared/reference argument")
            << "SaveAs(const QString&)" << QVariant() << false;
        QTest::newRow("member not in the type information/not judged")
            << "Missing()" << QVariant() << false;
    }

    void invalidAnswerWhereResultDeclared()
    {
        QFETCH(QString, function);
        QFETCH(QVariant, answer);
        QFETCH(bool, failed);
        TypeInfo object;
        QCOMPARE(
            invalidWhereResultDeclared(&object, function.toLatin1().constData(), answer), failed);
    }

    void failedSaveStillQuitsWord()
    {
        QStringList log;
        setAutomationFactory([&log] {
            return std::make_unique<RecordingObject>(createBuiltInAutomationObject(), &log);
        });
        Receiver receiver;
        QVERIFY(!writeWordRows({{"a"}}, dir.filePath("missing/out.docx"), &receiver));
        QCOMPARE(log.mid(log.size() - 2), (QStringList {"Close(int)|0", "Quit()"}));
    }

    void savePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("saved");
        QTest::newRow("drive root/doubled slash") << "C://out.docx"
                                                  << "C:/out.docx";
        QTest::newRow("plain") << "/home/u/out.docx"
                               << "/home/u/out.docx";
        QTest::newRow("doubled inside") << "/home//u//out.docx"
                                        << "/home/u/out.docx";
        QTest::newRow("network/leading pair kept") << "//server/share/out.docx"
                                                   << "//server/share/out.docx";
        QTest::newRow("network/inner pair collapsed") << "//server/share//out.docx"
                                                      << "//server/share/out.docx";
    }

    void savePath()
    {
        QFETCH(QString, path);
        QFETCH(QString, saved);
        QCOMPARE(wordSavePath(path), QDir::toNativeSeparators(saved));
    }

    void subObjectsAreOwnedByTheirParents()
    {
        std::unique_ptr<AutomationObject> word = createBuiltInAutomationObject();
        QVERIFY(word->setControl("Word.Application"));
        AutomationObject *documents = word->querySubObject("Documents");
        AutomationObject *document = documents->querySubObject("Add()");
        QVERIFY(document->querySubObject("Paragraphs(int)", 1));
        QVERIFY(!document->querySubObject("Paragraphs(int)", 2));
        QVERIFY(document->lastCallFailed());
        delete document; // leaves its parent; the parent must not delete it again
        word.reset(); // deletes documents and the rest (checked by ASan)
    }
};

int runWordTests(int argc, char **argv)
{
    TestWord test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_word.moc"
