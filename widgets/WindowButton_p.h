#pragma once

#include <QIcon>

class WindowButton;

class WindowButtonPrivate
{
public:
    explicit WindowButtonPrivate(WindowButton *q) : q_ptr(q) { }
    virtual ~WindowButtonPrivate() = default;

    void reloadIcon();

    WindowButton *q_ptr;
    QIcon iconNormal;
    QIcon iconChecked;
    QIcon iconDisabled;
};
