#include "widgets/WindowButton.h"
#include "widgets/WindowButton_p.h"

#include <QEvent>
#include <QMouseEvent>

void WindowButtonPrivate::reloadIcon()
{
    WindowButton *q = q_ptr;
    if (!q->isEnabled() && !iconDisabled.isNull()) {
        q->setIcon(iconDisabled);
        return;
    }
    if (q->isChecked()) {
        if (!iconChecked.isNull())
            q->setIcon(iconChecked);
        else if (!iconNormal.isNull())
            q->setIcon(iconNormal);
        return;
    }
    if (!iconNormal.isNull())
        q->setIcon(iconNormal);
}

WindowButton::WindowButton(QWidget *parent)
    : QPushButton(parent), d_ptr(new WindowButtonPrivate(this))
{ }

WindowButton::~WindowButton()
{
    delete d_ptr;
}

QIcon WindowButton::iconNormal() const
{
    return d_ptr->iconNormal;
}

void WindowButton::setIconNormal(const QIcon &icon)
{
    d_ptr->iconNormal = icon;
    d_ptr->reloadIcon();
}

QIcon WindowButton::iconChecked() const
{
    return d_ptr->iconChecked;
}

void WindowButton::setIconChecked(const QIcon &icon)
{
    d_ptr->iconChecked = icon;
    d_ptr->reloadIcon();
}

QIcon WindowButton::iconDisabled() const
{
    return d_ptr->iconDisabled;
}

void WindowButton::setIconDisabled(const QIcon &icon)
{
    d_ptr->iconDisabled = icon;
    d_ptr->reloadIcon();
}

void WindowButton::checkStateSet()
{
    QPushButton::checkStateSet();
    d_ptr->reloadIcon();
}

void WindowButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void WindowButton::changeEvent(QEvent *event)
{
    QPushButton::changeEvent(event);
    // Without this a button disabled after its icons were set would keep its old icon.
    if (event->type() == QEvent::EnabledChange)
        d_ptr->reloadIcon();
}
