#include "widgets/SettingMenu.h"
#include "ui_SettingMenu.h"

#include "widgets/HelpPages.h"

SettingMenu::SettingMenu(QWidget *parent) : QMenu(parent), ui(new Ui::SettingMenu)
{
    ui->setupUi(this);
}

SettingMenu::~SettingMenu()
{
    delete ui;
}

void SettingMenu::on_help1_clicked()
{
    close();
    HelpPages::openOnlineService();
}

void SettingMenu::on_help2_clicked()
{
    close();
    HelpPages::openHelpCenter();
}
