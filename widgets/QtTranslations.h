#pragma once

// Loads Qt's own Chinese texts (qtbase_zh_CN.qm: the file and folder dialogs, message box
// buttons, the calendar) from <program dir>/translations, else from Qt's translations folder,
// and makes Chinese the default locale. False, with a warning in the log, when none is found:
// Qt's dialogs then speak English.
bool installQtTranslations();
