#pragma once

#include <QWidget>

namespace Ui {
class RenamePageWidget;
}

class FileListWidget;

// The left side of a rename page: the tool row above the rename list.
class RenamePageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit RenamePageWidget(QWidget *parent = nullptr);
    ~RenamePageWidget() override;

    // A folder page has no "添加文件" and its list takes folders.
    void setFolder(bool isFolder);
    FileListWidget *list() const;
    FileListWidget *fileList() const { return list(); }

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
