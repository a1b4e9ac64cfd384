#pragma once

#include <QByteArray>
#include <QString>

// The bytes of a minimal, valid .docx whose body holds the text: each "\n"
// ends a paragraph, a tab becomes a tab, other characters that XML cannot
// hold become U+FFFD. Empty when zipping fails.
QByteArray buildDocx(const QString &text);
