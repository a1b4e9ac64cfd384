#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/LinuxTools.h"
#include "tests/support/Photos.h"
#include "tests/text/TextTests.h"
#include "text/SequenceText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

void SequenceTest::numbers_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");

    QTest::newRow("start 8/row 0") << 8 << 1 << 2 << 0 << "08";
    QTest::newRow("start 8/row 1") << 8 << 1 << 2 << 1 << "09";
    QTest::newRow("start 8/row 2") << 8 << 1 << 2 << 2 << "10";
    QTest::newRow("start 8/row 92 grows") << 8 << 1 << 2 << 92 << "100";
    QTest::newRow("step -2/row 0") << 0 << -2 << 1 << 0 << "0";
    QTest::newRow("step -2/row 1") << 0 << -2 << 1 << 1 << "-2";
    QTest::newRow("step -2/row 2") << 0 << -2 << 1 << 2 << "-4";
    QTest::newRow("-5 width 3/zeros before minus") << -5 << 0 << 3 << 0 << "0-5";
    QTest::newRow("-5 width 2/minus counts") << -5 << 0 << 2 << 0 << "-5";
    QTest::newRow("width never cuts") << 123456 << 0 << 2 << 0 << "123456";
    QTest::newRow("width 99") << 7 << 0 << 99 << 0 << QString(98, QLatin1Char('0')) + "7";
    QTest::newRow("defaults/step 0") << 0 << 0 << 1 << 2999 << "0";
    QTest::newRow("largest/no 32-bit wrap") << 999999 << 999999 << 1 << 2999 << "2999997000";
    QTest::newRow("smallest/no 32-bit wrap") << -999999 << -999999 << 1 << 2999 << "-2999997000";
}

void SequenceTest::numbers()
{
    QFETCH(int, start);
    QFETCH(int, step);
    QFETCH(int, width);
    QFETCH(int, row);
    QFETCH(QString, expected);
    QCOMPARE(numberSequenceText(start, step, width, row), expected);

    SequenceSettings s;
    s.numberType = 0;
    s.startNumber = start;
    s.incrementNumber = step;
    s.numberCount = width;
    QCOMPARE(sequenceText(s, row), expected);
}

void SequenceTest::letters_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("expected"); // rows 0, 1, 2, 3

    QTest::newRow("y/wraps y z a b") << 25 << 1 << "yzab";
    QTest::newRow("a/step 26 stays a") << 1 << 26 << "aaaa";
    QTest::newRow("a/step 1") << 1 << 1 << "abcd";
    QTest::newRow("z/start z") << 26 << 1 << "zabc";
    QTest::newRow("a/step 25 goes back") << 1 << 25 << "azyx";
    QTest::newRow("m/step 99 is 21 ahead") << 13 << 99 << "mhcx";
}

void SequenceTest::letters()
{
    QFETCH(int, start);
    QFETCH(int, step);
    QFETCH(QString, expected);
    SequenceSettings s;
    s.numberType = 1;
    s.startChar = start;
    s.incrementChar = step;
    QString got;
    for (int row = 0; row < 4; ++row) {
        const QString letter = sequenceText(s, row);
        QCOMPARE(letter.size(), 1);
        got += letter;
    }
    QCOMPARE(got, expected);
    // Never two letters, however far the rows go.
    QCOMPARE(letterSequenceText(start, step, 2999).size(), 1);
}

void SequenceTest::random_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("pattern");

    QTest::newRow("digits/6") << 0 << 6 << "[0-9]{6}";
    QTest::newRow("digits/1") << 0 << 1 << "[0-9]";
    QTest::newRow("letters/12") << 1 << 12 << "[A-Za-z]{12}";
    QTest::newRow("letters and digits/99") << 2 << 99 << "[A-Za-z0-9]{99}";
    QTest::newRow("letters and digits/200 crosses a draw block") << 2 << 200 << "[A-Za-z0-9]{200}";
    QTest::newRow("unknown rule/digits") << 7 << 5 << "[0-9]{5}";
    QTest::newRow("length 0/empty") << 2 << 0 << "";
}

void SequenceTest::random()
{
    QFETCH(int, rule);
    QFETCH(int, length);
    QFETCH(QString, pattern);
    const QRegularExpression re(QRegularExpression::anchoredPattern(pattern));
    SequenceSettings s;
    s.numberType = 2;
    s.randomRule = rule;
    s.charCount = length;
    for (int i = 0; i < 50; ++i) {
        const QString text = sequenceText(s, i);
        QVERIFY2(re.match(text).hasMatch(), qPrintable(text));
    }
}

void SequenceTest::randomCoversAlphabet()
{
    // Every character of each alphabet turns up, and nothing else does: a draw that skipped
    // the last character or ran past the end would show here.
    for (int rule = 0; rule < 3; ++rule) {
        const QString alphabet = randomAlphabet(rule);
        QSet<QChar> seen;
        const QString text = randomString(20000, rule);
        for (const QChar c : text) {
            QVERIFY(alphabet.contains(c));
            seen.insert(c);
        }
        QCOMPARE(seen.size(), alphabet.size());
    }
    QCOMPARE(randomAlphabet(0), QStringLiteral("0123456789"));
    QCOMPARE(randomAlphabet(1).size(), 52);
    QCOMPARE(randomAlphabet(2).size(), 62);
    // Fresh text for every call.
    QVERIFY(randomString(32, 2) != randomString(32, 2));
}

void SequenceTest::timeStyles_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("expected");

    const QDateTime y2k(QDate(2000, 1, 1), QTime(16, 5, 7));
    const QDateTime march(QDate(2024, 3, 5), QTime(9, 7, 3));
    QTest::newRow("2000/style 0") << y2k << 0 << "2000-01-01";
    QTest::newRow("2000/style 1") << y2k << 1 << "2000年1月1日";
    QTest::newRow("2000/style 2") << y2k << 2 << "20000101";
    QTest::newRow("2000/style 3 literal mm") << y2k << 3 << "2000-01-01 16mm07";
    QTest::newRow("2000/style 4") << y2k << 4 << "2000-01-01-16-05-07";
    QTest::newRow("2000/style 5") << y2k << 5 << "2000年1月1日 16时05分07秒";
    QTest::newRow("2000/style 6") << y2k << 6 << "20000101160507";
    QTest::newRow("march/style 1") << march << 1 << "2024年3月5日";
    QTest::newRow("march/style 5") << march << 5 << "2024年3月5日 09时07分03秒";
    QTest::newRow("march/style 6") << march << 6 << "20240305090703";
    QTest::newRow("march/style 3") << march << 3 << "2024-03-05 09mm03";
    QTest::newRow("unknown style/style 0") << march << 9 << "2024-03-05";
    QTest::newRow("invalid time/empty") << QDateTime() << 0 << "";
}

void SequenceTest::timeStyles()
{
    QFETCH(QDateTime, time);
    QFETCH(int, style);
    QFETCH(QString, expected);
    QCOMPARE(timeSequenceText(time, style), expected);
    // The format strings say the same in Qt's own syntax.
    if (time.isValid())
        QCOMPARE(time.toString(timeStyleFormat(style)), expected);
}

void SequenceTest::timeFormatsAgreeWithQt()
{
    // The hand-built texts against Qt's formatter over years, months, days and hours with and
    // without leading zeros.
    QDateTime t(QDate(987, 1, 2), QTime(0, 0, 0));
    for (int i = 0; i < 400; ++i) {
        t = t.addSecs(3600 * 24 * 37 * 29 + 3671 * 7);
        for (int style = 0; style < 7; ++style)
            QCOMPARE(timeSequenceText(t, style), t.toString(timeStyleFormat(style)));
    }
    const QDateTime utc(QDate(2020, 6, 1), QTime(12, 0, 0), Qt::UTC);
    QCOMPARE(
        timeSequenceText(utc, 6), utc.toLocalTime().toString(QStringLiteral("yyyyMMddhhmmss")));
}

void SequenceTest::timeTypes()
{
    SequenceSettings s;
    s.numberType = 3;
    s.timeStyle = 6;
    const QDateTime birth(QDate(2001, 2, 3), QTime(4, 5, 6));
    const QDateTime modified(QDate(2011, 12, 13), QTime(14, 15, 16));

    s.timeType = 1;
    QCOMPARE(sequenceText(s, 0, birth, modified), QStringLiteral("20010203040506"));
    QCOMPARE(sequenceText(s, 0, QDateTime(), modified), QString());
    s.timeType = 2;
    QCOMPARE(sequenceText(s, 0, birth, modified), QStringLiteral("20111213141516"));
    QCOMPARE(sequenceText(s, 0, nullptr), QString());

    // The current time, read when the text is made.
    s.timeType = 0;
    const QString now = sequenceText(s, 0, birth, modified);
    const QDateTime parsed = QDateTime::fromString(now, QStringLiteral("yyyyMMddhhmmss"));
    QVERIFY2(parsed.isValid(), qPrintable(now));
    QVERIFY(qAbs(parsed.secsTo(QDateTime::currentDateTime())) <= 2);
}

void SequenceTest::entryTimes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("a.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QDateTime modified(QDate(2019, 7, 8), QTime(10, 11, 12));
    QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();

    const QFileInfo info(file.fileName());
    SequenceSettings s;
    s.numberType = 3;
    s.timeType = 2;
    s.timeStyle = 4;
    QCOMPARE(sequenceText(s, 0, &info), QStringLiteral("2019-07-08-10-11-12"));
    // The creation time is what the file system gives, or nothing when it keeps none.
    s.timeType = 1;
    const QString birth = sequenceText(s, 0, &info);
    if (info.birthTime().isValid())
        QCOMPARE(birth, info.birthTime().toString(QStringLiteral("yyyy-MM-dd-hh-mm-ss")));
    else
        QCOMPARE(birth, QString());
}

void SequenceTest::timeSources_data()
{
    QTest::addColumn<QStringList>("tags"); // exiftool's; a .txt file without any
    QTest::addColumn<int>("timeType");
    QTest::addColumn<QString>("expected");
    const QStringList taken {"-DateTimeOriginal=2020:10:18 14:30:00"};
    QTest::newRow("capture/photo") << taken << 3 << "2020-10-18-14-30-00";
    QTest::newRow("capture/photo without") << QStringList {"-Artist=x"} << 3 << "";
    QTest::newRow("capture/not a photo") << QStringList() << 3 << "";
    QTest::newRow("modified/New York 1965 summer hour")
        << QStringList() << 2 << "1965-07-01-12-00-00";
}

// Names by the entry's own dates, in New York (Qt's local time is an hour off in 1965).
void SequenceTest::timeSources()
{
    QFETCH(QStringList, tags);
    QFETCH(int, timeType);
    QFETCH(QString, expected);
#ifdef Q_OS_WIN
    if (timeType != 3)
        QSKIP("Wine takes its zone once, when it starts: this process cannot move to New York");
#endif
    QTemporaryDir dir;
    const QString path = dir.filePath(tags.isEmpty() ? "a.txt" : "a.jpg");
    if (tags.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(makePhotos({path}, {tags}));
    }
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "America/New_York");
    tzset();
    {
        QFile f(path); // 1965-07-01 16:00 UTC
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(
            QDateTime::fromSecsSinceEpoch(-142070400, Qt::UTC), QFileDevice::FileModificationTime));
    }
    SequenceSettings s;
    s.numberType = 3;
    s.timeType = timeType;
    s.timeStyle = 4;
    const QFileInfo info(path);
    const QString got = sequenceText(s, 0, &info);
    qputenv("TZ", zone);
    tzset();
    QCOMPARE(got, expected);
}

void SequenceTest::placement_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");

    QTest::newRow("front") << "photo"
                           << "01" << 0 << 0 << "01photo";
    QTest::newRow("back") << "photo"
                          << "01" << 1 << 7 << "photo01";
    QTest::newRow("inside/N 0 equals front") << "photo"
                                             << "01" << 2 << 0 << "01photo";
    QTest::newRow("inside/N 2") << "photo"
                                << "01" << 2 << 2 << "ph01oto";
    QTest::newRow("inside/N at end") << "photo"
                                     << "01" << 2 << 5 << "photo01";
    QTest::newRow("inside/N past end pads") << "ab"
                                            << "X" << 2 << 5 << "ab   X";
    QTest::newRow("inside/abc N 10") << "abc"
                                     << "X" << 2 << 10 << "abc       X";
    QTest::newRow("inside/empty name pads") << ""
                                            << "7" << 2 << 3 << "   7";
    QTest::newRow("inside/Chinese counts per character") << "报告文件"
                                                         << "01" << 2 << 2 << "报告01文件";
    QTest::newRow("inside/surrogate pair kept whole") << QString::fromUtf8("a\xF0\x9F\x93\xB7"
                                                                           "b")
                                                      << "1" << 2 << 2
                                                      << QString::fromUtf8("a\xF0\x9F\x93\xB7"
                                                                           "1b");
    QTest::newRow("empty sequence/front") << "photo"
                                          << "" << 0 << 0 << "photo";
    QTest::newRow("empty sequence/no padding") << "abc"
                                               << "" << 2 << 10 << "abc";
}

void SequenceTest::placement()
{
    QFETCH(QString, name);
    QFETCH(QString, sequence);
    QFETCH(int, position);
    QFETCH(int, count);
    QFETCH(QString, expected);
    QCOMPARE(placeSequence(name, sequence, position, count), expected);
}

namespace {
struct SomeRecord
{
    QString nameText;
    int numberType = 1, startNumber = 2, incrementNumber = 3, numberCount = 4, randomRule = 5,
        charCount = 6, timeType = 7, timeStyle = 8, startChar = 9, incrementChar = 10;
};
} // namespace

void SequenceTest::settingsFromRecord()
{
    const SequenceSettings s = SequenceSettings::from(SomeRecord());
    QCOMPARE(s.numberType, 1);
    QCOMPARE(s.startNumber, 2);
    QCOMPARE(s.incrementNumber, 3);
    QCOMPARE(s.numberCount, 4);
    QCOMPARE(s.randomRule, 5);
    QCOMPARE(s.charCount, 6);
    QCOMPARE(s.timeType, 7);
    QCOMPARE(s.timeStyle, 8);
    QCOMPARE(s.startChar, 9);
    QCOMPARE(s.incrementChar, 10);
}
