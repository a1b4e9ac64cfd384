// Figures for the text transforms over a full list (3000 rows), as the rename preview runs them
// on every keystroke. Prints times; never fails on one.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include "text/CCConverter.h"
#include "text/CaseConversion.h"
#include "text/PinyinConverter.h"
#include "text/SequenceText.h"

namespace {

constexpr int rows = 3000;
constexpr int rounds = 20;

template<class F> void measure(const char *what, F &&f)
{
    QElapsedTimer timer;
    timer.start();
    qint64 chars = 0;
    for (int r = 0; r < rounds; ++r)
        chars += f();
    const double ms = timer.nsecsElapsed() / 1e6 / rounds;
    QTextStream(stdout) << QString::asprintf(
        "%-44s %8.2f ms per %d rows  (%lld chars)\n", what, ms, rows, chars / rounds);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(QUORVEX_RUNTIME_DIR));

    QElapsedTimer timer;
    timer.start();
    const bool loaded = CCConverter::instance()->isLoaded();
    QTextStream(stdout) << "converter start-up (s2t + t2s): " << timer.elapsed() << " ms"
                        << (loaded ? "" : "  FAILED: ") << CCConverter::instance()->errorMessage()
                        << "\n";
    timer.restart();
    loadPinyinTable();
    QTextStream(stdout) << "Pinyin table load: " << timer.nsecsElapsed() / 1e6 << " ms\n";

    QStringList names;
    const QStringList samples
        = {QStringLiteral("我们的假期照片-第%1张"), QStringLiteral("IMG_%1 会议记录 final"),
            QStringLiteral("holiday photo %1"), QStringLiteral("計算機課程講義%1")};
    for (int i = 0; i < rows; ++i)
        names << samples.at(i % samples.size()).arg(i);

    const CCConverter *cc = CCConverter::instance();
    measure("simplifiedToTraditional", [&] {
        qint64 n = 0;
        for (const QString &s : names)
            n += cc->simplifiedToTraditional(s).size();
        return n;
    });
    measure("traditionalToSimplified", [&] {
        qint64 n = 0;
        for (const QString &s : names)
            n += cc->traditionalToSimplified(s).size();
        return n;
    });
    measure("toPinyin via a new PinyinConverter per row", [&] {
        qint64 n = 0;
        for (const QString &s : names)
            n += PinyinConverter().toPinyin(s).size();
        return n;
    });
    measure("convertCase mode 5", [&] {
        qint64 n = 0;
        for (const QString &s : names)
            n += convertCase(s, CaseWordsUpper).size();
        return n;
    });
    SequenceSettings number;
    number.numberCount = 4;
    number.startNumber = 1;
    number.incrementNumber = 1;
    measure("number sequence + placement", [&] {
        qint64 n = 0;
        for (int i = 0; i < rows; ++i)
            n += placeSequence(names.at(i), sequenceText(number, i), 2, 3).size();
        return n;
    });
    SequenceSettings random;
    random.numberType = 2;
    random.randomRule = 2;
    random.charCount = 99;
    measure("random sequence, 99 characters", [&] {
        qint64 n = 0;
        for (int i = 0; i < rows; ++i)
            n += sequenceText(random, i).size();
        return n;
    });
    SequenceSettings now;
    now.numberType = 3;
    now.timeStyle = 5;
    measure("time sequence, current time, style 5", [&] {
        qint64 n = 0;
        for (int i = 0; i < rows; ++i)
            n += sequenceText(now, i).size();
        return n;
    });
    SequenceSettings modified;
    modified.numberType = 3;
    modified.timeType = 2;
    modified.timeStyle = 5;
    const QFileInfo entry(QCoreApplication::applicationFilePath());
    measure("time sequence, modification time, style 5", [&] {
        qint64 n = 0;
        for (int i = 0; i < rows; ++i) {
            QFileInfo info(entry.filePath());
            n += sequenceText(modified, i, &info).size();
        }
        return n;
    });
    measure("whole chain: number, s2t, case 5", [&] {
        qint64 n = 0;
        for (int i = 0; i < rows; ++i)
            n += convertCase(cc->simplifiedToTraditional(
                                 placeSequence(names.at(i), sequenceText(number, i), 1, 0)),
                CaseWordsUpper)
                     .size();
        return n;
    });
    return 0;
}
