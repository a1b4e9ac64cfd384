#include "widgets/StyledInputs.h"

#include <QListView>
#include <QWheelEvent>

CustormCombox::CustormCombox(QWidget *parent) : QComboBox(parent)
{
    setView(new QListView(this));
}

void CustormCombox::wheelEvent(QWheelEvent *event)
{
    // Neither handled nor passed on, so the surrounding panel does not scroll either.
    Q_UNUSED(event)
}

CustormSpinBox::CustormSpinBox(QWidget *parent) : QSpinBox(parent) { }

void CustormSpinBox::wheelEvent(QWheelEvent *event)
{
    Q_UNUSED(event)
}
