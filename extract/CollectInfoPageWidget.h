#pragma once

#include <QWidget>

namespace Ui {
class CollectInfoPageWidget;
}

class CollectListWidget;

// The left side of an extraction page: the tool row above the extraction list.
class CollectInfoPageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CollectInfoPageWidget(QWidget *parent = nullptr);
    ~CollectInfoPageWidget() override;

    // A folder page has no "添加文件" and its list takes folders.
    void setFolder(bool isFolder);
    CollectListWidget *list() const;

signals:
    void tabelEmpty(bool isEmpty);

private slots:
    void on_addFile_clicked();
    void on_clearList_clicked();
    void on_addFolder_clicked();

private:
    Ui::CollectInfoPageWidget *ui;
    bool isFolder = false;
};
