#pragma once

#include <QWidget>

namespace Ui {
class RenamePropertyWidget;
}

class CustormRename;
class Replace;
class Delete;
class Import;

// Right side of a rename page: the five rule tabs with their editors, "重置设置" and
// "开始命名".
class RenamePropertyWidget : public QWidget
{
    Q_OBJECT
public:
    explicit RenamePropertyWidget(QWidget *parent = nullptr);
    ~RenamePropertyWidget() override;

    // Hands every editor the records and nameSpaces of the page kind.
    void setFolder(bool isFolder);
    // Enables "开始命名" (the page does so while its list holds entries); it stays disabled
    // while the replace rule's pattern cannot be used.
    void setStartEnabled(bool enabled);

    CustormRename *customEditor() const;
    CustormRename *insertEditor() const;
    Replace *replaceEditor() const;
    Delete *deleteEditor() const;
    Import *importEditor() const;

private slots:
    void on_setBtn_clicked();
    void on_resetBtn_clicked();
    void switchTab(int id, bool checked);
    void recordDefaults();

private:
    Ui::RenamePropertyWidget *ui;
    void updateStart();

    bool isFolder = false;
    bool hasEntries = false;
};
