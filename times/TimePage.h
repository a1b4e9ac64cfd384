#pragma once

#include <QWidget>

namespace Ui {
class TimePage;
}

class TimePageWidget;
class TimePropertyWidget;

// A time page: the list with its tool row on the left, the time rule panel on the right.
class TimePage : public QWidget
{
    Q_OBJECT
public:
    explicit TimePage(QWidget *parent = nullptr);
    ~TimePage() override;

    // Whether this page serves folders (true) or files (false); tells both sides.
    void setFolder(bool isFolder);
    bool isFolder() const { return m_isFolder; }

    TimePageWidget *pageWidget() const;
    TimePropertyWidget *propertyWidget() const;

private:
    Ui::TimePage *ui;
    bool m_isFolder = false;
};
