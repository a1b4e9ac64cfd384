#pragma once

#include <QWidget>

namespace Ui {
class CreateFilePropertyWidget;
}

class CustormCreate;
class ImportCreate;

// Right side of the batch creation page: the tabs "导入创建" and "自定义创建" with their
// editors, "重置设置" and "开始生成".
class CreateFilePropertyWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CreateFilePropertyWidget(QWidget *parent = nullptr);
    ~CreateFilePropertyWidget() override;

    // Enables "开始生成" (the page does so once its list has shown names).
    void setStartEnabled(bool enabled);

    ImportCreate *importEditor() const;
    CustormCreate *customEditor() const;

signals:
    void changePage(QString pageName);

private slots:
    void on_custormBtn_clicked(bool checked);
    void on_importBtn_clicked(bool checked);
    void on_setBtn_clicked();
    void on_resetBtn_clicked();

private:
    void recordDefaults();

    Ui::CreateFilePropertyWidget *ui;
};
