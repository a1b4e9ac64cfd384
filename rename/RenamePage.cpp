#include "rename/RenamePage.h"
#include "ui_RenamePage.h"

#include "rename/RenamePageWidget.h"

RenamePage::RenamePage(QWidget *parent) : QWidget(parent), ui(new Ui::RenamePage)
{
    ui->setupUi(this);
}

RenamePage::~RenamePage()
{
    delete ui;
}

void RenamePage::setFolder(bool isFolder)
{
    m_isFolder = isFolder;
    ui->editWidgget->setFolder(isFolder);
}
