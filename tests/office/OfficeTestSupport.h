#pragma once

#include "office/MyCustomEvent.h"
#include "office/MyDialogMessageEvent.h"

#include <QtTest>

// Stands in for the widgets that receive the office events: keeps them in order.
class Receiver : public QObject
{
    Q_OBJECT
public:
    struct Item
    {
        int type = 0;
        QList<QVariant> list;
        bool result = false;
        QString message;
    };
    QVector<Item> items;

    int count(int type) const
    {
        return int(std::count_if(
            items.cbegin(), items.cend(), [type](const Item &item) { return item.type == type; }));
    }
    QStringList messages() const
    {
        QStringList texts;
        for (const Item &item : items) {
            if (item.type == MyDialogMessageEvent::EventType)
                texts.append(item.message);
        }
        return texts;
    }

protected:
    void customEvent(QEvent *event) override
    {
        Item item;
        item.type = event->type();
        if (event->type() == MyCustomEvent::EventType) {
            auto *rows = static_cast<MyCustomEvent *>(event);
            item.list = rows->list;
            item.result = rows->result;
        } else if (event->type() == MyDialogMessageEvent::EventType) {
            item.message = static_cast<MyDialogMessageEvent *>(event)->message;
        }
        items.append(item);
    }
};

namespace OfficeTest {

constexpr int rowsType = 1016;
constexpr int messageType = 1032;

// Runs Debian's python (the one with openpyxl and python-docx); returns stdout.
QByteArray python(const QStringList &arguments, bool *ok);
// Builds a workbook with tests/office/make_books.py.
bool makeBook(const QString &caseName, const QString &path);
// The rows as lists of texts, for comparing.
QList<QStringList> texts(const QList<QVariant> &rows);

} // namespace OfficeTest

Q_DECLARE_METATYPE(QList<QStringList>)
Q_DECLARE_METATYPE(QList<QList<QVariant>>)
