#include "widgets/TipDialog.h"
#include "ui_TipDialog.h"

TipDialog::TipDialog(QWidget *parent) : QDialog(parent), ui(new Ui::TipDialog)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
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
