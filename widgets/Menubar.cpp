#include "widgets/Menubar.h"
#include "ui_Menubar.h"

#include <QPainter>
#include <QStyleOption>

Menubar::Menubar(QWidget *parent) : QWidget(parent), ui(new Ui::Menubar)
{
    ui->setupUi(this);
}

Menubar::~Menubar()
{
    delete ui;
}

void Menubar::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    // A QWidget subclass draws stylesheet backgrounds only when asked to.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
