#pragma once

#include <QWidget>

namespace Ui {
class CreateFilePage;
}

class CreateFilePageWidget;
class CreateFilePropertyWidget;

// The batch creation page: the list of names on the left, the two creation rules on the right.
class CreateFilePage : public QWidget
{
    Q_OBJECT
public:
    explicit CreateFilePage(QWidget *parent = nullptr);
    ~CreateFilePage() override;

    CreateFilePageWidget *pageWidget() const;
    CreateFilePropertyWidget *propertyWidget() const;

private:
    Ui::CreateFilePage *ui;
};
