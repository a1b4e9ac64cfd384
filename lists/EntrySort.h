#pragma once

#include <QCollator>
#include <QCollatorSortKey>
#include <QDateTime>
#include <QList>
#include <QString>

#include <algorithm>
#include <utility>
#include <vector>

// The collation of every list: Chinese locale, case-sensitive, punctuation counted, digit runs
// compared by value ("a2" before "a10").
QCollator listCollator();

// <0, 0 or >0 as a sorts before, with or after b under listCollator().
int naturalCompare(const QString &a, const QString &b);

// Sorts items by a text key under listCollator(); key is taken once per item.
template<class T, class KeyFn> void sortByText(QList<T> &items, KeyFn key, bool descending)
{
    const QCollator collator = listCollator();
    std::vector<std::pair<QCollatorSortKey, T>> keyed;
    keyed.reserve(items.size());
    for (const T &item : qAsConst(items))
        keyed.emplace_back(collator.sortKey(key(item)), item);
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto &a, const auto &b) {
        const int c = a.first.compare(b.first);
        return descending ? c > 0 : c < 0;
    });
    for (int i = 0; i < items.size(); ++i)
        items[i] = keyed[size_t(i)].second;
}

// Sorts items by a time key (an invalid time sorts first).
template<class T, class KeyFn> void sortByTime(QList<T> &items, KeyFn key, bool descending)
{
    const auto less = [](const QDateTime &a, const QDateTime &b) {
        if (a.isValid() != b.isValid())
            return !a.isValid();
        return a.isValid() && a < b;
    };
    std::stable_sort(items.begin(), items.end(), [&](const T &a, const T &b) {
        return descending ? less(key(b), key(a)) : less(key(a), key(b));
    });
}
