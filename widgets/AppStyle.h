#pragma once

#include <QString>

// Text of the compiled-in stylesheet: the bytes up to the first zero byte, read as Latin-1.
// Empty when the resource cannot be opened (the program then runs unstyled).
QString readStyleSheet(const QString &path = QStringLiteral(":/qss/main.qss"));

// Where "Microsoft YaHei" is missing (everywhere but Windows), draw with a CJK font that exists.
void installFontFallbacks();
