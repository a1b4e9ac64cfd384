#pragma once

#include <QIcon>
#include <QPushButton>

class WindowButtonPrivate;

// Title-bar button whose icon follows its state; the stylesheet sets the three icons with
// qproperty-iconNormal, qproperty-iconChecked and qproperty-iconDisabled.
class WindowButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QIcon iconNormal READ iconNormal WRITE setIconNormal)
    Q_PROPERTY(QIcon iconChecked READ iconChecked WRITE setIconChecked)
    Q_PROPERTY(QIcon iconDisabled READ iconDisabled WRITE setIconDisabled)
public:
    explicit WindowButton(QWidget *parent = nullptr);
    ~WindowButton() override;

    QIcon iconNormal() const;
    void setIconNormal(const QIcon &icon);
    QIcon iconChecked() const;
    void setIconChecked(const QIcon &icon);
    QIcon iconDisabled() const;
    void setIconDisabled(const QIcon &icon);

signals:
    void doubleClicked();

protected:
    void checkStateSet() override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    WindowButtonPrivate *d_ptr;
    friend class WindowButtonPrivate;
};
