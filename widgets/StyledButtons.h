#pragma once

#include <QToolButton>

// Checkable option button of the panels; the stylesheet keys on "Type" = "Blue".
class BluePushBtn : public QToolButton
{
    Q_OBJECT
public:
    explicit BluePushBtn(QWidget *parent = nullptr);
};

// Page button of the main window ("Type" = "Blue").
class IconBlueToolBtn : public QToolButton
{
    Q_OBJECT
public:
    explicit IconBlueToolBtn(QWidget *parent = nullptr);
};

// Secondary tool button of the panels ("Type" = "Gray").
class IconGrayToolBtn : public QToolButton
{
    Q_OBJECT
public:
    explicit IconGrayToolBtn(QWidget *parent = nullptr);
};

// Icon from path at 32 by 32, text beside the icon.
void setIconPath(QToolButton *button, const QString &path);
