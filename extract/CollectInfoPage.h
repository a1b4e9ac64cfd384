#pragma once

#include <QWidget>

namespace Ui {
class CollectInfoPage;
}

class CollectInfoPage : public QWidget
{
    Q_OBJECT
public:
    explicit CollectInfoPage(QWidget *parent = nullptr);
    ~CollectInfoPage() override;

    // Whether this page serves folders (true) or files (false).
    void setFolder(bool isFolder);
    bool isFolder() const { return m_isFolder; }

private:
    Ui::CollectInfoPage *ui;
    bool m_isFolder = false;
};
