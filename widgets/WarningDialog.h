#pragma once

#include <QDialog>

namespace Ui {
class WarningDialog;
}

// The program's one message box. It deletes itself when closed, so create it on the heap.
class WarningDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WarningDialog(QWidget *parent = nullptr);
    ~WarningDialog() override;

    void setTipText(const QString &text);
    QString tipText() const;

private slots:
    void on_okBtn_clicked();
    void on_closeBtn_clicked();

private:
    Ui::WarningDialog *ui;
};
