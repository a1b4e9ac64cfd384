#include "widgets/StyledButtons.h"

#include <QIcon>
#include <QVariant>

BluePushBtn::BluePushBtn(QWidget *parent) : QToolButton(parent)
{
    setProperty("Type", QStringLiteral("Blue"));
}

IconBlueToolBtn::IconBlueToolBtn(QWidget *parent) : QToolButton(parent)
{
    setProperty("Type", QStringLiteral("Blue"));
}

IconGrayToolBtn::IconGrayToolBtn(QWidget *parent) : QToolButton(parent)
{
    setProperty("Type", QStringLiteral("Gray"));
}

void setIconPath(QToolButton *button, const QString &path)
{
    if (!button)
        return;
    button->setIcon(QIcon(path));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}
