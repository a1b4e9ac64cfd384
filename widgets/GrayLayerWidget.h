#pragma once

#include <QWidget>

// Container that shows a grey background behind its controls while disabled.
class GrayLayerWidget : public QWidget
{
    Q_OBJECT
public:
    explicit GrayLayerWidget(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
