// One preview recomputation over a full list (3000 rows), as every keystroke in a rule editor
// triggers it: stem from a QFileInfo, rule step, script, case, extension.
#include "rename/RenamePreview.h"
#include "text/CCConverter.h"
#include "text/PinyinConverter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>

namespace {

QStringList sampleNames(int count)
{
    static const QStringList pieces = {
        "照片", "旅行", "简体", "会议记录", "IMG", "_", "2023", " ", "报告", "final", "书", "档案"};
    static const QStringList extensions = {"jpg", "png", "docx", "txt", "pdf", ""};
    QRandomGenerator rng(7);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QString n;
        for (int k = 0; k < 4; ++k)
            n += pieces.at(rng.bounded(pieces.size()));
        const QString ext = extensions.at(rng.bounded(extensions.size()));
        names << QStringLiteral("/home/user/Pictures/") + n + QString::number(i)
                + (ext.isEmpty() ? QString() : QLatin1Char('.') + ext);
    }
    return names;
}

// Median of several full recomputations, in milliseconds; `first` gets the first one, made
// before any script conversion of these names is known.
double measure(const RenameRule &rule, const QStringList &paths, QString *sample, double *first)
{
    QVector<double> times;
    QStringList out;
    for (int round = 0; round < 15; ++round) {
        out.clear();
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < paths.size(); ++i)
            out << previewName(rule, false, previewEntryFor(QFileInfo(paths.at(i)), false), i);
        times << t.nsecsElapsed() / 1e6;
    }
    *sample = out.at(1);
    *first = times.at(0);
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(QUORVEX_RUNTIME_DIR));
    QTextStream out(stdout);
    if (!CCConverter::instance()->isLoaded()) {
        out << CCConverter::instance()->errorMessage() << '\n';
        return 1;
    }
    loadPinyinTable();
    const QStringList paths = sampleNames(3000);

    RenameRule rule;
    rule.kind = RenameRule::Custom;
    RenameCustomSetting &r = rule.custom;
    r.nameText = QStringLiteral("旅行照片");
    r.numberSetCheck = true;
    r.startNumber = 1;
    r.incrementNumber = 1;
    r.numberCount = 4;
    r.numberPos = 1;
    r.caseType = 1;
    r.suffixCheck = true;
    r.newSuffix = QStringLiteral("jpeg");
    QString sample;
    double first = 0;

    r.chineseToPinyinType = 1;
    out << "custom+numbering+Pinyin+case+extension, 3000 rows: median "
        << measure(rule, paths, &sample, &first) << " ms, first " << first << " ms  (" << sample
        << ")\n";

    r.chineseToPinyinType = 0;
    r.simplifiedTraditionalType = 1;
    out << "custom+numbering+traditional+case+extension, 3000 rows: median "
        << measure(rule, paths, &sample, &first) << " ms, first " << first << " ms  (" << sample
        << ")\n";

    rule.kind = RenameRule::Insert;
    r.nameText = QStringLiteral("简体");
    out << "insert+numbering+traditional+case+extension, 3000 rows: median "
        << measure(rule, paths, &sample, &first) << " ms, first " << first << " ms  (" << sample
        << ")\n";

    // Worst case for the script conversion: 3000 different Chinese names, none seen before.
    QStringList distinct;
    QRandomGenerator rng(99);
    for (int i = 0; i < 3000; ++i) {
        QString stem;
        for (int k = 0; k < 8; ++k)
            stem += QChar(0x4E00 + int(rng.bounded(0x5000)));
        distinct << QStringLiteral("/home/user/") + stem + QStringLiteral(".txt");
    }
    RenameRule plain;
    plain.kind = RenameRule::Replace;
    plain.replace.simplifiedTraditionalType = 1;
    out << "replace+traditional over 3000 distinct 8-character Chinese names: median "
        << measure(plain, distinct, &sample, &first) << " ms, first " << first << " ms\n";
    return 0;
}
