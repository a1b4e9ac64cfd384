#include "rename/RenameRules.h"

#include "bus/BusTopics.h"

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

} // namespace RenameRules
