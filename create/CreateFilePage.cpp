#include "create/CreateFilePage.h"
#include "ui_CreateFilePage.h"

#include "create/CreateFileEmpty.h"
#include "create/CreateFilePageWidget.h"
#include "create/CreateFilePropertyWidget.h"

CreateFilePage::CreateFilePage(QWidget *parent) : QWidget(parent), ui(new Ui::CreateFilePage)
{
    ui->setupUi(this);
    connect(ui->propertyWidget, &CreateFilePropertyWidget::changePage, ui->editWidgget->list(),
        &CreateFileEmpty::onPageChanged);
    connect(ui->editWidgget, &CreateFilePageWidget::tabelEmpty, this,
        [this](bool isEmpty) { ui->propertyWidget->setStartEnabled(!isEmpty); });
}

CreateFilePage::~CreateFilePage()
{
    delete ui;
}

CreateFilePageWidget *CreateFilePage::pageWidget() const
{
    return ui->editWidgget;
}

CreateFilePropertyWidget *CreateFilePage::propertyWidget() const
{
    return ui->propertyWidget;
}
