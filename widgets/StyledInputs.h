#pragma once

#include <QComboBox>
#include <QSpinBox>

// Combo box whose popup is a QListView (so the stylesheet reaches the items). It ignores the
// mouse wheel: scrolling a panel must never change a rule by accident.
class CustormCombox : public QComboBox
{
    Q_OBJECT
public:
    explicit CustormCombox(QWidget *parent = nullptr);

protected:
    void wheelEvent(QWheelEvent *event) override;
};

// Spin box that ignores the mouse wheel, for the same reason.
class CustormSpinBox : public QSpinBox
{
    Q_OBJECT
public:
    explicit CustormSpinBox(QWidget *parent = nullptr);

protected:
    void wheelEvent(QWheelEvent *event) override;
};
