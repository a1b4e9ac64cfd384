#include "office/WordWriter.h"

#include "office/Automation.h"
#include "office/OfficeDelivery.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace {

const QString noWordMessage = QStringLiteral("无法启动Word，请确认已安装Microsoft Word！");
const QString wordFailedMessage = QStringLiteral("写入Word文档失败！");
const QString saveFailedMessage = QStringLiteral("保存文件失败！");

// What is at a path, to tell whether a save wrote it.
struct FileStamp
{
    explicit FileStamp(const QString &path)
    {
        const QFileInfo info(path);
        exists = info.isFile();
        size = exists ? info.size() : -1;
        modified = exists ? info.lastModified() : QDateTime();
    }
    bool exists = false;
    qint64 size = -1;
    QDateTime modified;
};

// An automation call that cannot be resolved may answer with nothing and no error at all;
// only a file that this save has written, and that holds something, counts as saved.
bool savedByWord(const FileStamp &before, const QString &path)
{
    const FileStamp after(path);
    if (!after.exists || after.size <= 0)
        return false;
    return !before.exists || after.size != before.size || after.modified != before.modified;
}

} // namespace

QString wordSavePath(const QString &path)
{
    const bool network = path.startsWith(QLatin1String("//"));
    const QString rest = network ? path.mid(2) : path;
    QString collapsed = rest.split(QStringLiteral("//")).join(QLatin1Char('/'));
    if (network)
        collapsed.prepend(QLatin1String("//"));
    return QDir::toNativeSeparators(collapsed);
}

bool writeWordRows(const ExportRows &rows, const QString &path, QObject *receiver)
{
    return writeWordRowsGuarded(rows, path, QPointer<QObject>(receiver));
}

bool writeWordRowsGuarded(
    const ExportRows &rows, const QString &path, const QPointer<QObject> &receiver)
{
    std::unique_ptr<AutomationObject> word = createAutomationObject();
    if (!word || !word->setControl(QStringLiteral("Word.Application"))) {
        qWarning() << "Word automation is not available";
        OfficeDelivery::postMessage(receiver, noWordMessage);
        return false;
    }
    word->dynamicCall("SetVisible (bool Visible)", QStringLiteral("false"));
    AutomationObject *documents = word->querySubObject("Documents");
    AutomationObject *document = documents ? documents->querySubObject("Add()") : nullptr;
    AutomationObject *active = word->querySubObject("ActiveDocument");
    AutomationObject *paragraph
        = document ? document->querySubObject("Paragraphs(int)", 1) : nullptr;
    AutomationObject *range = paragraph ? paragraph->querySubObject("Range") : nullptr;

    bool filled = documents && document && active && paragraph && range;
    for (int i = 0; filled && i < rows.size(); ++i) {
        range->dynamicCall("InsertAfter (QString)", exportRowText(rows.at(i)));
        filled = !range->lastCallFailed();
        if (filled) {
            range->dynamicCall("InsertAfter (QString)", QStringLiteral("\n"));
            filled = !range->lastCallFailed();
        }
    }
    bool saved = false;
    if (filled) {
        const QString savePath = wordSavePath(path);
        const FileStamp before(QDir::fromNativeSeparators(savePath));
        active->dynamicCall("SaveAs(const QString&)", savePath);
        saved = !active->lastCallFailed()
            && savedByWord(before, QDir::fromNativeSeparators(savePath));
    }
    // Without ActiveDocument the added document is closed itself: a hidden Word must not be
    // left asking whether to save it when it is told to quit.
    if (AutomationObject *open = active ? active : document) {
        if (saved)
            open->dynamicCall("Close()");
        else
            open->dynamicCall("Close(int)", 0); // wdDoNotSaveChanges
    }
    word->dynamicCall("Quit()");
    delete document;
    delete documents;
    word.reset();

    if (!filled) {
        qWarning() << "Word did not take the document for" << path;
        OfficeDelivery::postMessage(receiver, wordFailedMessage);
        return false;
    }
    if (!saved) {
        qWarning() << "Word could not save" << path;
        OfficeDelivery::postMessage(receiver, saveFailedMessage);
        return false;
    }
    return true;
}
