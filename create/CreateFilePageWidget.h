#pragma once

#include <QWidget>

namespace Ui {
class CreateFilePageWidget;
}

class CreateFileEmpty;

// The left side of the batch creation page: the list of the entries to create.
class CreateFilePageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CreateFilePageWidget(QWidget *parent = nullptr);
    ~CreateFilePageWidget() override;

    CreateFileEmpty *list() const;

signals:
    void tabelEmpty(bool isEmpty);

private:
    Ui::CreateFilePageWidget *ui;
};
