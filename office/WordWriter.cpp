#include "office/WordWriter.h"

#include "disk/DiskNames.h"
#include "office/Automation.h"
#include "office/OfficeDelivery.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString noWordMessage = QStringLiteral("无法启动Word，请确认已安装Microsoft Word！");
const QString wordFailedMessage = QStringLiteral("写入Word文档失败！");
const QString saveFailedMessage = QStringLiteral("保存文件失败！");

// Word saves under a name nothing used before, so a file found there afterwards can only be this
// save (a size or a time compared with an old file can coincide: FAT keeps times to 2 s). It
// must hold a zip package, as a .docx does, before it takes the place of the old file.
bool savedByWord(const QString &fresh)
{
    QFile file(fresh);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(4) == QByteArrayLiteral("PK\x03\x04");
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
    const QString target = QDir::fromNativeSeparators(wordSavePath(path));
    // In the target folder, so that the last step is a rename within one file system.
    const QString fresh
        = unusedSiblingPath(target, QStringLiteral("save"), QStringLiteral(".docx"));
    if (filled) {
        active->dynamicCall("SaveAs(const QString&)", QDir::toNativeSeparators(fresh));
        // Nothing (or nothing but an empty file) at the fresh name: the save did not happen,
        // and Close() would ask about it.
        const QFileInfo written(fresh);
        saved = !active->lastCallFailed() && written.isFile() && written.size() > 0;
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

    // Word has let go of the file now; only a checked save replaces the old one.
    saved = saved && savedByWord(fresh) && replaceFile(fresh, target);
    if (!saved && isOccupied(fresh) && !QFile::remove(fresh))
        qWarning() << "Cannot remove the unfinished save" << fresh;

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
