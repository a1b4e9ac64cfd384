#pragma once

#include <QWidget>

namespace Ui {
class TimePage;
}

class TimePage : public QWidget
{
    Q_OBJECT
public:
    explicit TimePage(QWidget *parent = nullptr);
    ~TimePage() override;

    // Whether this page serves folders (true) or files (false).
    void setFolder(bool isFolder);
    bool isFolder() const { return m_isFolder; }

private:
    Ui::TimePage *ui;
    bool m_isFolder = false;
};
