#pragma once

#include <QString>

// Case modes of the rename rules (caseType, index of "大小写转换").
enum CaseType {
    CaseUnchanged = 0, // 不改变
    CaseFirstUpper = 1, // 首字母大写
    CaseFirstLower = 2, // 首字母小写
    CaseAllUpper = 3, // 全部大写
    CaseAllLower = 4, // 全部小写
    CaseWordsUpper = 5 // 单词首字母大写
};

// Applies case mode `caseType` to `text`; unknown modes leave it unchanged.
// Modes 1, 2 and 5 map single UTF-16 units; modes 3 and 4 use full Unicode mapping.
QString convertCase(const QString &text, int caseType);
