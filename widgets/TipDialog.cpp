#include "widgets/TipDialog.h"
#include "ui_TipDialog.h"

TipDialog::TipDialog(QWidget *parent) : QDialog(parent), ui(new Ui::TipDialog)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    // Frameless, but the task bar and window lists still name it.
    setWindowTitle(QStringLiteral("退出程序"));
}

TipDialog::~TipDialog()
{
    delete ui;
}

void TipDialog::on_exitBtn_clicked()
{
    accept();
}

void TipDialog::on_cancelBtn_clicked()
{
    reject();
}
