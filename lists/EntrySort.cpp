#include "lists/EntrySort.h"

#include <QLocale>

QCollator listCollator()
{
    QCollator collator(QLocale(QLocale::Chinese, QLocale::AnyCountry));
    collator.setCaseSensitivity(Qt::CaseSensitive);
    collator.setIgnorePunctuation(false);
    collator.setNumericMode(true);
    return collator;
}

int naturalCompare(const QString &a, const QString &b)
{
    return listCollator().compare(a, b);
}
