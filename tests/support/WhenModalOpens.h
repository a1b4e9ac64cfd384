#pragma once

// Test helper: answers the next modal widget from inside the event loop of the call that opens
// it (a file dialog, a message box), as a user would. Header only: the support library links no
// widgets.

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <QtTest/qtestcase.h>

#include <functional>

inline void whenModalOpens(std::function<void(QWidget *)> answer)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    // The answer belongs to the test row that set it up: when no dialog opened there, it must
    // not answer a later row's dialog with references that are gone.
    const QByteArray owner
        = QByteArray(QTest::currentTestFunction()) + '/' + QByteArray(QTest::currentDataTag());
    QObject::connect(timer, &QTimer::timeout, [timer, answer, owner] {
        if (owner
            != QByteArray(QTest::currentTestFunction()) + '/'
                + QByteArray(QTest::currentDataTag())) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
}

// Answers a file dialog with path, as a user who types it would. selectFile alone leaves the name
// field alone while it has focus, and the dialog then accepts nothing and stays open.
inline void chooseInFileDialog(QFileDialog *dialog, const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        dialog->setDirectory(path);
    } else {
        dialog->setDirectory(info.absolutePath());
        dialog->selectFile(info.fileName());
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(info.fileName());
    }
    static_cast<QDialog *>(dialog)->accept();
}
