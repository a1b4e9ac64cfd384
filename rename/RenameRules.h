#pragma once

#include <QString>
#include <QVariant>

// Parameters of the custom rule and of the insert rule (one layout for both).
struct RenameCustomSetting
{
    QString nameText;
    int insertPos = 0; // 0 front, 1 end, 2 after insertBehindCount characters
    int insertBehindCount = 0;
    int caseType = 0;
    int simplifiedTraditionalType = 0; // 0 none, 1 to traditional, 2 to simplified
    int chineseToPinyinType = 0; // 0 none, 1 Pinyin
    bool autoNameErrorCheck = true;
    int numberPos = 0; // 0 front, 1 end, 2 after numberBehindCount characters
    int numberBehindCount = 0;
    int numberType = 0; // 0 number, 1 letter, 2 random, 3 time
    int startNumber = 0;
    int incrementNumber = 0;
    int numberCount = 1;
    int randomRule = 0;
    int charCount = 1;
    int timeType = 0;
    int timeStyle = 0;
    int startChar = 1;
    int incrementChar = 1;
    bool suffixCheck = false;
    int suffixType = 0; // 0 new extension, 1 find and replace in the extension
    QString newSuffix;
    QString findContent;
    QString replaceContent;
    bool useNumberAsName = false;
    bool numberSetCheck = false;
};

// Parameters of the find-and-replace rule.
struct RenameReplaceSetting
{
    QString replaceFindContent;
    QString replaceReplaceContent;
    bool replaceRegex = false; // the find text is a regular expression
    bool replaceCaseSensitive = true;
    int caseType = 0;
    int simplifiedTraditionalType = 0;
    int chineseToPinyinType = 0;
    QString splitText;
    bool autoNameErrorCheck = true;
    bool suffixCheck = false;
    int suffixType = 0;
    QString newSuffix;
    QString findContent;
    QString replaceContent;
};

// Parameters of the delete rule.
struct RenameDeleteSetting
{
    int deleteType = 0; // 0 given content, 1 by position
    QString deleteContent;
    int deletePosType = 0; // 0 counted from the front, 1 from the end
    int deletePos = 0;
    int deleteCount = 0;
    int caseType = 0;
    int simplifiedTraditionalType = 0;
    int chineseToPinyinType = 0;
    bool suffixCheck = false;
    int suffixType = 0;
    QString newSuffix;
    QString findContent;
    QString replaceContent;
};

// The eight process-wide rule records. They live until the process ends; editors write
// them in place on the GUI thread and lists copy them when they recompute.
namespace RenameRules {

RenameCustomSetting *fileCustom();
RenameCustomSetting *fileInsert();
RenameCustomSetting *folderCustom();
RenameCustomSetting *folderInsert();
RenameReplaceSetting *fileReplace();
RenameReplaceSetting *folderReplace();
RenameDeleteSetting *fileDelete();
RenameDeleteSetting *folderDelete();

// The custom or insert record of a nameSpace ("FILE CUSTOM RENAME", ...), or null.
RenameCustomSetting *customRecord(const QString &nameSpace);
// The replace record of "FILE/FOLDER REPLACE RENAME", or null.
RenameReplaceSetting *replaceRecord(const QString &nameSpace);
// The delete record of "FILE/FOLDER DELETE RENAME", or null.
RenameDeleteSetting *deleteRecord(const QString &nameSpace);

// True for the two insert nameSpaces (the insert rule), false otherwise.
bool isInsertNameSpace(const QString &nameSpace);

// Puts the four records of one page kind back to their defaults.
void resetRecords(bool isFolder);

// Whether a record holds its defaults.
bool isDefault(const RenameCustomSetting &r);
bool isDefault(const RenameReplaceSetting &r);
bool isDefault(const RenameDeleteSetting &r);

} // namespace RenameRules

// "START CHANGE NAME" and "IMPORT EXCEL RENAME" reach the lists of both rename pages; the
// panel publishes them through this so that only the list of its own page acts.
namespace RenamePageMessage {

// Publishes nameSpace with the name "RENAME VALUE UPDATE", marked as sent by that page kind.
void publish(bool isFolder, const QString &nameSpace, const QVariant &value = QVariant());

// True while a message marked as sent by that page kind is being delivered.
bool isFrom(bool isFolder);

} // namespace RenamePageMessage
