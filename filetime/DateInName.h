#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

// A date that a file name carries ("IMG_20201018_143000.jpg", "扫描2021-03-05.pdf").
struct NameDate
{
    QDate date;
    QTime time; // midnight where the name gives only the date
    bool hasTime = false;
};

// The first date in name: yyyyMMdd, yyyy-MM-dd, yyyy_MM_dd, yyyy.MM.dd or yyyy年M月d日, with the
// time that follows it (after "_", "-", " ", "T" or nothing) as HHmmss, HH-mm-ss, HH.mm.ss,
// HH:mm:ss or HH时mm分ss秒. Digits that run on from either side make no date, nor does a date
// or time that cannot exist.
std::optional<NameDate> dateInName(const QString &name);
