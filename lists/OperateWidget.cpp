#include "lists/OperateWidget.h"

#include "ui_OperateWidget.h"

#include <QIcon>

OperateWidget::OperateWidget(QWidget *parent) : QWidget(parent), ui(new Ui::OperateWidget)
{
    ui->setupUi(this);
    // One shared icon per kind: thousands of rows must not each parse the pictures.
    static const QIcon deleteIcon(QStringLiteral(":/image/delete.svg"));
    static const QIcon openIcon(QStringLiteral(":/image/open.svg"));
    static const QIcon sortIcon(QStringLiteral(":/image/sort.svg"));
    ui->deleteBtn->setIcon(deleteIcon);
    ui->openBtn->setIcon(openIcon);
    ui->sortBtn->setIcon(sortIcon);
    // The grip lets presses through to the table underneath, which starts the row drag.
    ui->sortBtn->setAttribute(Qt::WA_TransparentForMouseEvents);
}

OperateWidget::~OperateWidget()
{
    delete ui;
}

QToolButton *OperateWidget::deleteButton() const
{
    return ui->deleteBtn;
}

QToolButton *OperateWidget::sortButton() const
{
    return ui->sortBtn;
}

QToolButton *OperateWidget::openButton() const
{
    return ui->openBtn;
}

void OperateWidget::on_deleteBtn_clicked()
{
    emit deleteFile();
}

void OperateWidget::on_sortBtn_clicked()
{
    emit startSort();
}

void OperateWidget::on_openBtn_clicked()
{
    emit openDir();
}
