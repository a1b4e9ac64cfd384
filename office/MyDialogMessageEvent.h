#pragma once

#include <QEvent>
#include <QString>

// A message for the user from a pool task; receivers republish it as
// "MESSAGE ERROR TIP".
class MyDialogMessageEvent : public QEvent
{
public:
    static constexpr QEvent::Type EventType = QEvent::Type(QEvent::User + 32); // 1032

    explicit MyDialogMessageEvent(QString message);
    ~MyDialogMessageEvent() override;

    QString message;
};
