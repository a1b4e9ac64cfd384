#include "widgets/CustormCheckBox.h"
#include "ui_CustormCheckBox.h"

CustormCheckBox::CustormCheckBox(QWidget *parent) : QWidget(parent), ui(new Ui::CustormCheckBox)
{
    ui->setupUi(this);
    ui->label->clear();
    connect(ui->checkBox, &QCheckBox::clicked, this, &CustormCheckBox::Checked);
}

CustormCheckBox::~CustormCheckBox()
{
    delete ui;
}

bool CustormCheckBox::isChecked() const
{
    return ui->checkBox->isChecked();
}

void CustormCheckBox::setChecked(bool checked)
{
    ui->checkBox->setChecked(checked);
}

void CustormCheckBox::setText(const QString &text)
{
    ui->label->setText(text);
}
