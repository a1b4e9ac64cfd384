#pragma once

#include <QWidget>

namespace Ui {
class TimePageWidget;
}

class TimeListWidget;

// The left side of a time page: the tool row above the time list.
class TimePageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit TimePageWidget(QWidget *parent = nullptr);
    ~TimePageWidget() override;

    // A folder page has no "添加文件" and its list takes folders.
    void setFolder(bool isFolder);
    TimeListWidget *list() const;

signals:
    void tabelEmpty(bool isEmpty);

private slots:
    void on_addFile_clicked();
    void on_addFolder_clicked();
    void on_clearList_clicked();
    void on_undo_clicked();

private:
    Ui::TimePageWidget *ui;
    bool isFolder = false;
};
