#pragma once

#include <QDialog>

namespace Ui {
class WarningDialog;
}

// The program's one message box. It deletes itself when closed, so create it on the heap.
// Messages added while it is open join it: from the second one on it lists them all, with
// their number in its heading, and one click closes them all.
class WarningDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WarningDialog(QWidget *parent = nullptr);
    ~WarningDialog() override;

    void setTipText(const QString &text);
    QString tipText() const;
    // Adds one more message (the first one is shown as setTipText shows it).
    void addTipText(const QString &text);
    int tipCount() const { return count; }

private slots:
    void on_okBtn_clicked();
    void on_closeBtn_clicked();

private:
    Ui::WarningDialog *ui;
    int count = 0;
};
