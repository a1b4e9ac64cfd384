#include "widgets/GrayLayerWidget.h"

#include <QPainter>
#include <QStyleOption>

GrayLayerWidget::GrayLayerWidget(QWidget *parent) : QWidget(parent) { }

void GrayLayerWidget::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // Let the stylesheet draw its background first, as a plain QWidget would with it.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    if (!isEnabled())
        painter.fillRect(rect(), QColor(80, 80, 80));
}
