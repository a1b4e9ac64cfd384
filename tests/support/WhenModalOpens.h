#pragma once

// Test helper: answers the next modal widget from inside the event loop of the call that opens
// it (a file dialog, a message box), as a user would. Header only: the support library links no
// widgets.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

inline void whenModalOpens(std::function<void(QWidget *)> answer)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
}
