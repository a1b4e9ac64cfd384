#include "create/CreateFilePage.h"
#include "ui_CreateFilePage.h"

CreateFilePage::CreateFilePage(QWidget *parent) : QWidget(parent), ui(new Ui::CreateFilePage)
{
    ui->setupUi(this);
}

CreateFilePage::~CreateFilePage()
{
    delete ui;
}
