#include "widgets/WarningDialog.h"
#include "ui_WarningDialog.h"

WarningDialog::WarningDialog(QWidget *parent) : QDialog(parent), ui(new Ui::WarningDialog)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);
    // Messages often name a path; let the user copy it.
    ui->tipLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

WarningDialog::~WarningDialog()
{
    delete ui;
}

void WarningDialog::setTipText(const QString &text)
{
    ui->tipLabel->setText(text);
}

QString WarningDialog::tipText() const
{
    return ui->tipLabel->text();
}

void WarningDialog::on_okBtn_clicked()
{
    emit accepted();
    close();
}

void WarningDialog::on_closeBtn_clicked()
{
    emit accepted();
    close();
}
