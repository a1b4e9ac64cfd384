#pragma once

#include <QDialog>

namespace Ui {
class TipDialog;
}

// Exit confirmation: "退出" accepts, "取消" rejects.
class TipDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TipDialog(QWidget *parent = nullptr);
    ~TipDialog() override;

private slots:
    void on_exitBtn_clicked();
    void on_cancelBtn_clicked();

private:
    Ui::TipDialog *ui;
};
