#pragma once

#include <QMenu>

namespace Ui {
class SettingMenu;
}

// Drop-down of the title bar's settings button: customer service and help centre.
class SettingMenu : public QMenu
{
    Q_OBJECT
public:
    explicit SettingMenu(QWidget *parent = nullptr);
    ~SettingMenu() override;

private slots:
    void on_help1_clicked();
    void on_help2_clicked();

private:
    Ui::SettingMenu *ui;
};
