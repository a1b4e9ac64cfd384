#pragma once

// Every key that travels on the bus. A message is addressed by (nameSpace, name).
namespace Topic {

// name of all rule and start messages
inline constexpr char RenameValueUpdate[] = "RENAME VALUE UPDATE";
// name of the main window's notices
inline constexpr char NoticeName[] = "";

// rename rules
inline constexpr char FileCustomRename[] = "FILE CUSTOM RENAME";
inline constexpr char FolderCustomRename[] = "FOLDER CUSTOM RENAME";
inline constexpr char FileInsertRename[] = "FILE INSERT RENAME";
inline constexpr char FolderInsertRename[] = "FOLDER INSERT RENAME";
inline constexpr char FileReplaceRename[] = "FILE REPLACE RENAME";
inline constexpr char FolderReplaceRename[] = "FOLDER REPLACE RENAME";
inline constexpr char FileDeleteRename[] = "FILE DELETE RENAME";
inline constexpr char FolderDeleteRename[] = "FOLDER DELETE RENAME";
inline constexpr char ImportExcelRename[] = "IMPORT EXCEL RENAME";
inline constexpr char StartChangeName[] = "START CHANGE NAME";
// name of the list's answer to a replace rule: why its pattern cannot be used (or empty)
inline constexpr char ReplacePatternState[] = "REPLACE PATTERN STATE";

// file times
inline constexpr char FileTimeProperty[] = "FILE TIME PROPERTY";
inline constexpr char FolderTimeProperty[] = "FOLDER TIME PROPERTY";
inline constexpr char StartChangeDate[] = "START CHANGE DATE";

// extraction
inline constexpr char FileCollectProperty[] = "FILE COLLECT PROPERTY";
inline constexpr char FolderCollectProperty[] = "FOLDER COLLECT PROPERTY";
inline constexpr char StartCollectInfo[] = "START COLLECT INFO";

// batch creation
inline constexpr char CustomCreateExcelRename[] = "CUSTOM CREATE EXCEL RENAME";
inline constexpr char ImportCreateExcelRename[] = "IMPORT CREATE EXCEL RENAME";
inline constexpr char StartCreateData[] = "START CREATE DATA";

// main window notices (published with the empty name)
inline constexpr char StartAddFile[] = "START ADD FILE";
inline constexpr char EndAddFile[] = "END ADD FILE";
inline constexpr char AppCompacityLimit[] = "APP COMPACITY LIMIT";
inline constexpr char MessageErrorTip[] = "MESSAGE ERROR TIP";

} // namespace Topic
