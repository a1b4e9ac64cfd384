#include "rename/RenameRules.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"

#include <tuple>

namespace {

// Built on first use and never freed: editors and lists keep pointers to them for the
// whole life of the process.
struct Records
{
    RenameCustomSetting fileCustom, fileInsert, folderCustom, folderInsert;
    RenameReplaceSetting fileReplace, folderReplace;
    RenameDeleteSetting fileDelete, folderDelete;
};

Records &records()
{
    static Records *all = new Records;
    return *all;
}

} // namespace

namespace RenameRules {

RenameCustomSetting *fileCustom()
{
    return &records().fileCustom;
}
RenameCustomSetting *fileInsert()
{
    return &records().fileInsert;
}
RenameCustomSetting *folderCustom()
{
    return &records().folderCustom;
}
RenameCustomSetting *folderInsert()
{
    return &records().folderInsert;
}
RenameReplaceSetting *fileReplace()
{
    return &records().fileReplace;
}
RenameReplaceSetting *folderReplace()
{
    return &records().folderReplace;
}
RenameDeleteSetting *fileDelete()
{
    return &records().fileDelete;
}
RenameDeleteSetting *folderDelete()
{
    return &records().folderDelete;
}

RenameCustomSetting *customRecord(const QString &nameSpace)
{
    if (nameSpace == QLatin1String(Topic::FileCustomRename))
        return fileCustom();
    if (nameSpace == QLatin1String(Topic::FileInsertRename))
        return fileInsert();
    if (nameSpace == QLatin1String(Topic::FolderCustomRename))
        return folderCustom();
    if (nameSpace == QLatin1String(Topic::FolderInsertRename))
        return folderInsert();
    return nullptr;
}

RenameReplaceSetting *replaceRecord(const QString &nameSpace)
{
    if (nameSpace == QLatin1String(Topic::FileReplaceRename))
        return fileReplace();
    if (nameSpace == QLatin1String(Topic::FolderReplaceRename))
        return folderReplace();
    return nullptr;
}

RenameDeleteSetting *deleteRecord(const QString &nameSpace)
{
    if (nameSpace == QLatin1String(Topic::FileDeleteRename))
        return fileDelete();
    if (nameSpace == QLatin1String(Topic::FolderDeleteRename))
        return folderDelete();
    return nullptr;
}

bool isInsertNameSpace(const QString &nameSpace)
{
    return nameSpace == QLatin1String(Topic::FileInsertRename)
        || nameSpace == QLatin1String(Topic::FolderInsertRename);
}

void resetRecords(bool isFolder)
{
    Records &r = records();
    if (isFolder) {
        r.folderCustom = {};
        r.folderInsert = {};
        r.folderReplace = {};
        r.folderDelete = {};
    } else {
        r.fileCustom = {};
        r.fileInsert = {};
        r.fileReplace = {};
        r.fileDelete = {};
    }
}

namespace {

auto fields(const RenameCustomSetting &r)
{
    return std::tie(r.nameText, r.insertPos, r.insertBehindCount, r.caseType,
        r.simplifiedTraditionalType, r.chineseToPinyinType, r.autoNameErrorCheck, r.numberPos,
        r.numberBehindCount, r.numberType, r.startNumber, r.incrementNumber, r.numberCount,
        r.randomRule, r.charCount, r.timeType, r.timeStyle, r.startChar, r.incrementChar,
        r.suffixCheck, r.suffixType, r.newSuffix, r.findContent, r.replaceContent,
        r.useNumberAsName, r.numberSetCheck);
}

auto fields(const RenameReplaceSetting &r)
{
    return std::tie(r.replaceFindContent, r.replaceReplaceContent, r.replaceRegex,
        r.replaceCaseSensitive, r.caseType, r.simplifiedTraditionalType, r.chineseToPinyinType,
        r.splitText, r.autoNameErrorCheck, r.suffixCheck, r.suffixType, r.newSuffix, r.findContent,
        r.replaceContent);
}

auto fields(const RenameDeleteSetting &r)
{
    return std::tie(r.deleteType, r.deleteContent, r.deletePosType, r.deletePos, r.deleteCount,
        r.caseType, r.simplifiedTraditionalType, r.chineseToPinyinType, r.suffixCheck, r.suffixType,
        r.newSuffix, r.findContent, r.replaceContent);
}

} // namespace

bool isDefault(const RenameCustomSetting &r)
{
    return fields(r) == fields(RenameCustomSetting {});
}
bool isDefault(const RenameReplaceSetting &r)
{
    return fields(r) == fields(RenameReplaceSetting {});
}
bool isDefault(const RenameDeleteSetting &r)
{
    return fields(r) == fields(RenameDeleteSetting {});
}

} // namespace RenameRules

namespace RenamePageMessage {

namespace {
// 0 none, 1 file page, 2 folder page; delivery is synchronous, so the mark lasts exactly
// as long as the delivery.
int sendingPage = 0;
} // namespace

void publish(bool isFolder, const QString &nameSpace, const QVariant &value)
{
    const int outer = sendingPage;
    sendingPage = isFolder ? 2 : 1;
    CNvGlobalObserver::instance()->notifyObservers(
        nameSpace, QString::fromLatin1(Topic::RenameValueUpdate), value);
    sendingPage = outer;
}

bool isFrom(bool isFolder)
{
    return sendingPage == (isFolder ? 2 : 1);
}

} // namespace RenamePageMessage
