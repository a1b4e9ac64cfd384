#pragma once

#include <QWidget>

namespace Ui {
class RenamePageWidget;
}

class FileListWidget;

// Left side of a rename page: the tool row above the page's list.
class RenamePageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit RenamePageWidget(QWidget *parent = nullptr);
    ~RenamePageWidget() override;

    // Shows "添加文件" only on a file page and tells the list what it holds.
    void setFolder(bool isFolder);
    FileListWidget *fileList() const;

signals:
    void tabelEmpty(bool isEmpty);

private slots:
    void on_addFile_clicked();
    void on_addFolder_clicked();
    void on_undo_clicked();
    void on_clearList_clicked();

private:
    void showUndo(bool isCan);

    Ui::RenamePageWidget *ui;
    bool isFolder = false;
};
