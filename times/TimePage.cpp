#include "times/TimePage.h"
#include "ui_TimePage.h"

#include "times/TimePageWidget.h"

TimePage::TimePage(QWidget *parent) : QWidget(parent), ui(new Ui::TimePage)
{
    ui->setupUi(this);
}

TimePage::~TimePage()
{
    delete ui;
}

void TimePage::setFolder(bool isFolder)
{
    m_isFolder = isFolder;
    ui->editWidgget->setFolder(isFolder);
}
