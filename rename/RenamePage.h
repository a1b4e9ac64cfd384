#pragma once

#include <QWidget>

namespace Ui {
class RenamePage;
}

class RenamePage : public QWidget
{
    Q_OBJECT
public:
    explicit RenamePage(QWidget *parent = nullptr);
    ~RenamePage() override;

    // Whether this page serves folders (true) or files (false).
    void setFolder(bool isFolder);
    bool isFolder() const { return m_isFolder; }

private:
    Ui::RenamePage *ui;
    bool m_isFolder = false;
};
