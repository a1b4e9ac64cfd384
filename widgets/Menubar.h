#pragma once

#include <QWidget>

namespace Ui {
class Menubar;
}

// Container of the main window's title bar; dragging and double-clicks belong to the window agent.
class Menubar : public QWidget
{
    Q_OBJECT
public:
    explicit Menubar(QWidget *parent = nullptr);
    ~Menubar() override;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Ui::Menubar *ui;
};
