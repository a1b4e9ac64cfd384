#pragma once

#include <QWidget>

namespace Ui {
class OperateWidget;
}

class QToolButton;

// The buttons at the end of a row. They find their entry through the properties "UUID" and
// "ItemPtr" that the list sets when it fills or redraws the row.
class OperateWidget : public QWidget
{
    Q_OBJECT
public:
    explicit OperateWidget(QWidget *parent = nullptr);
    ~OperateWidget() override;

    QToolButton *deleteButton() const;
    QToolButton *sortButton() const;
    QToolButton *openButton() const;

signals:
    void openDir();
    void deleteFile();
    void startSort();

private slots:
    void on_deleteBtn_clicked();
    void on_sortBtn_clicked();
    void on_openBtn_clicked();

private:
    Ui::OperateWidget *ui;
};
