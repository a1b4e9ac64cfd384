#include "create/CreateFilePageWidget.h"
#include "ui_CreateFilePageWidget.h"

#include "create/CreateFileEmpty.h"

CreateFilePageWidget::CreateFilePageWidget(QWidget *parent)
    : QWidget(parent), ui(new Ui::CreateFilePageWidget)
{
    ui->setupUi(this);
    connect(
        ui->fileListWidget, &EntryListBase::tabelEmpty, this, &CreateFilePageWidget::tabelEmpty);
}

CreateFilePageWidget::~CreateFilePageWidget()
{
    delete ui;
}

CreateFileEmpty *CreateFilePageWidget::list() const
{
    return ui->fileListWidget;
}
