#pragma once

#include <QWidget>

namespace Ui {
class CreateFilePage;
}

class CreateFilePage : public QWidget
{
    Q_OBJECT
public:
    explicit CreateFilePage(QWidget *parent = nullptr);
    ~CreateFilePage() override;

private:
    Ui::CreateFilePage *ui;
};
