#include "text/CCConverter.h"

#include "runtime/DataFolders.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtDebug>

#include <opencc/Config.hpp>
#include <opencc/Converter.hpp>
#include <opencc/Exception.hpp>

namespace {

const char s2tFile[] = "s2t.json";
const char t2sFile[] = "t2s.json";

// Every dictionary file a configuration names (segmentation and conversion chain, groups too).
void collectDictionaries(const QJsonValue &value, QStringList &files)
{
    if (value.isArray()) {
        for (const QJsonValue &v : value.toArray())
            collectDictionaries(v, files);
        return;
    }
    if (!value.isObject())
        return;
    const QJsonObject object = value.toObject();
    const QJsonValue file = object.value(QLatin1String("file"));
    if (file.isString() && !files.contains(file.toString()))
        files << file.toString();
    for (auto it = object.begin(); it != object.end(); ++it)
        collectDictionaries(it.value(), files);
}

QString convert(const std::shared_ptr<opencc::Converter> &converter, const QString &text)
{
    if (!converter || text.isEmpty())
        return text;
    // No key of the s2t and t2s dictionaries holds a character below the CJK radicals (U+2E80),
    // so plain names skip OpenCC.
    bool needed = false;
    for (const QChar c : text) {
        if (c.unicode() >= 0x2E80) {
            needed = true;
            break;
        }
    }
    if (!needed)
        return text;
    // OpenCC works on zero-terminated UTF-8: a NUL would cut the text short and a lone surrogate
    // (possible in Windows names) has no UTF-8 form. Convert the pieces between them.
    QString out;
    int start = 0;
    bool split = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.unicode() == 0 || c.isSurrogate()) {
            out += convert(converter, text.mid(start, i - start)) + c;
            start = i + 1;
            split = true;
        }
    }
    if (split)
        return out + convert(converter, text.mid(start));
    try {
        const QByteArray utf8 = text.toUtf8();
        const std::string converted
            = converter->Convert(std::string(utf8.constData(), utf8.size()));
        return QString::fromUtf8(converted.data(), int(converted.size()));
    } catch (const opencc::Exception &e) {
        qWarning() << "Chinese script conversion failed:" << e.what();
    } catch (const std::exception &e) {
        qWarning() << "Chinese script conversion failed:" << e.what();
    }
    return text;
}

// OpenCC takes UTF-8 paths on Windows (it widens them itself) and native bytes elsewhere.
std::string openccPath(const QString &path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toUtf8().toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

} // namespace

CCConverter *CCConverter::instance()
{
    static CCConverter converter;
    return &converter;
}

CCConverter::CCConverter()
{
    // The working directory first (the run-time folder keeps working), then beside the program,
    // then an install's data folder. A damaged set is reported over a partial one, a partial one
    // over a folder without any of the files.
    const QStringList folders = DataFolders::searchFolders();
    int worst = -1;
    QString reported;
    QString reportedFile;
    for (const QString &folder : folders) {
        const int rank = load(QDir(folder));
        if (rank == 0) {
            dataFolder = folder;
            error.clear();
            failed.clear();
            return;
        }
        if (rank > worst) {
            worst = rank;
            reported = error;
            reportedFile = failed;
        }
        if (rank == 3)
            qWarning() << "converter data in" << folder << "is damaged:" << error;
    }
    failed = reportedFile;
    error = reported + QStringLiteral("\n查找位置：\n") + DataFolders::describe(folders);
}

CCConverter::~CCConverter() = default;

QStringList CCConverter::configurationFiles()
{
    return {QLatin1String(s2tFile), QLatin1String(t2sFile)};
}

QStringList CCConverter::missingFiles(const QDir &dir, const QString &configFile)
{
    QFile file(dir.filePath(configFile));
    if (!file.open(QIODevice::ReadOnly))
        return {configFile};
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject())
        return {configFile};
    QStringList dictionaries;
    collectDictionaries(doc.object(), dictionaries);
    QStringList missing;
    for (const QString &name : qAsConst(dictionaries)) {
        const QFileInfo info(dir.filePath(name));
        if (!info.isFile() || !info.isReadable())
            missing << name;
    }
    return missing;
}

int CCConverter::load(const QDir &dir)
{
    error.clear();
    failed.clear();
    // OpenCC would quietly fall back to its system-wide files; the program must use its own,
    // so check first that everything is here.
    bool anyPresent = false;
    for (const QString &configFile : configurationFiles())
        anyPresent = anyPresent || dir.exists(configFile);
    for (const QString &configFile : configurationFiles()) {
        const QStringList missing = missingFiles(dir, configFile);
        if (missing.isEmpty())
            continue;
        failed = missing.first();
        if (failed == configFile && QFileInfo::exists(dir.filePath(configFile)))
            error = QStringLiteral("简繁体转换配置文件“%1”无法读取或已损坏。").arg(failed);
        else if (failed == configFile)
            error = QStringLiteral("缺少简繁体转换配置文件“%1”。").arg(failed);
        else
            error = QStringLiteral("缺少简繁体转换词典文件“%1”（配置文件“%2”需要）。")
                        .arg(failed, configFile);
        return anyPresent ? 2 : 1;
    }

    config = std::make_unique<opencc::Config>();
    for (const QString &configFile : configurationFiles()) {
        const std::string path = openccPath(dir.absoluteFilePath(configFile));
        QString why;
        try {
            auto converter = config->NewFromFile(path);
            (configFile == QLatin1String(s2tFile) ? s2t : t2s) = converter;
        } catch (const opencc::Exception &e) {
            why = QString::fromUtf8(e.what());
        } catch (const std::exception &e) {
            why = QString::fromUtf8(e.what());
        }
        if (!why.isNull()) {
            failed = configFile;
            error = QStringLiteral("简繁体转换配置“%1”或它的词典文件无法读取或已损坏（%2）。")
                        .arg(configFile, why);
            s2t.reset();
            t2s.reset();
            return 3;
        }
    }
    return 0;
}

bool CCConverter::isLoaded() const
{
    return s2t && t2s;
}

QString CCConverter::errorMessage() const
{
    return error;
}

QString CCConverter::folder() const
{
    return dataFolder;
}

QString CCConverter::failedFile() const
{
    return failed;
}

QString CCConverter::simplifiedToTraditional(const QString &text) const
{
    return convert(s2t, text);
}

QString CCConverter::traditionalToSimplified(const QString &text) const
{
    return convert(t2s, text);
}
