#pragma once

#include <QWidget>

namespace Ui {
class CollectInfoPage;
}

class CollectInfoPageWidget;
class CollectInfoPagePropertWidget;

// An extraction page: the list with its tool row on the left, the export options on the right.
class CollectInfoPage : public QWidget
{
    Q_OBJECT
public:
    explicit CollectInfoPage(QWidget *parent = nullptr);
    ~CollectInfoPage() override;

    // Whether this page serves folders (true) or files (false); tells both sides.
    void setFolder(bool isFolder);
    bool isFolder() const { return m_isFolder; }

    CollectInfoPageWidget *pageWidget() const;
    CollectInfoPagePropertWidget *propertyWidget() const;

private:
    Ui::CollectInfoPage *ui;
    bool m_isFolder = false;
};
