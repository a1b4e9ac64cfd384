#pragma once

#include <QWidget>

namespace Ui {
class RenamePage;
}

class RenamePageWidget;
class RenamePropertyWidget;

// A rename page: the list with its tool row on the left, the rule panel on the right.
class RenamePage : public QWidget
{
    Q_OBJECT
public:
    explicit RenamePage(QWidget *parent = nullptr);
    ~RenamePage() override;

    // Whether this page serves folders (true) or files (false); tells both sides.
    void setFolder(bool isFolder);
    bool isFolder() const { return m_isFolder; }

    RenamePageWidget *pageWidget() const;
    RenamePropertyWidget *propertyWidget() const;

private:
    Ui::RenamePage *ui;
    bool m_isFolder = false;
};
