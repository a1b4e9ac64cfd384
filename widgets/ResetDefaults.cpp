#include "widgets/ResetDefaults.h"

#include "widgets/CustormCheckBox.h"
#include "widgets/GrayLayerWidget.h"
#include "widgets/StyledButtons.h"
#include "widgets/StyledInputs.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QToolButton>

namespace {

const char defaultValue[] = "DefaultValue";
const char defaultVisible[] = "DefaultVisibel";

// The editors inside spin boxes, date editors and combo boxes belong to their owner: resetting
// them on their own would write a stale text over the owner's value (a date editor would go
// back to its captured date instead of the moment of the reset).
bool isInternalPart(const QWidget *widget, const QWidget *root)
{
    for (const QWidget *p = widget->parentWidget(); p && p != root; p = p->parentWidget()) {
        if (qobject_cast<const QAbstractSpinBox *>(p) || qobject_cast<const QComboBox *>(p))
            return true;
    }
    return false;
}

QList<QWidget *> resettable(QWidget *root, const QStringList &skipClasses)
{
    QList<QWidget *> result;
    if (!root)
        return result;
    const QList<QWidget *> all = root->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (skipClasses.contains(QString::fromLatin1(w->metaObject()->className())))
            continue;
        if (isInternalPart(w, root))
            continue;
        result.append(w);
    }
    return result;
}

QVariant valueOf(QWidget *w)
{
    if (auto *e = qobject_cast<QTextEdit *>(w))
        return e->toPlainText();
    if (auto *c = qobject_cast<CustormCombox *>(w))
        return c->currentIndex();
    if (auto *c = qobject_cast<CustormCheckBox *>(w))
        return c->isChecked();
    if (auto *b = qobject_cast<BluePushBtn *>(w))
        return b->isChecked();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *s = qobject_cast<CustormSpinBox *>(w))
        return s->value();
    if (auto *g = qobject_cast<GrayLayerWidget *>(w))
        return g->isEnabled();
    if (auto *s = qobject_cast<QStackedWidget *>(w))
        return s->currentIndex();
    if (qobject_cast<QLabel *>(w))
        return QVariant();
    if (auto *b = qobject_cast<QToolButton *>(w))
        return b->text();
    if (auto *b = qobject_cast<QPushButton *>(w))
        return b->text();
    return QVariant();
}

void applyValue(QWidget *w, const QVariant &v)
{
    if (auto *e = qobject_cast<QTextEdit *>(w))
        e->setPlainText(v.toString());
    else if (auto *c = qobject_cast<CustormCombox *>(w))
        c->setCurrentIndex(v.toInt());
    else if (auto *c = qobject_cast<CustormCheckBox *>(w))
        c->setChecked(v.toBool());
    else if (auto *b = qobject_cast<BluePushBtn *>(w))
        b->setChecked(v.toBool());
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(v.toString());
    else if (auto *s = qobject_cast<CustormSpinBox *>(w))
        s->setValue(v.toInt());
    else if (auto *g = qobject_cast<GrayLayerWidget *>(w))
        g->setEnabled(v.toBool());
    else if (auto *s = qobject_cast<QStackedWidget *>(w))
        s->setCurrentIndex(v.toInt());
    else if (qobject_cast<QLabel *>(w))
        return;
    else if (auto *b = qobject_cast<QToolButton *>(w))
        b->setText(v.toString());
    else if (auto *b = qobject_cast<QPushButton *>(w))
        b->setText(v.toString());
}

} // namespace

void captureDefaults(QWidget *root, const QStringList &skipClasses)
{
    for (QWidget *w : resettable(root, skipClasses)) {
        const QVariant v = valueOf(w);
        if (v.isValid())
            w->setProperty(defaultValue, v);
    }
}

void restoreDefaults(QWidget *root, const QStringList &skipClasses)
{
    for (QWidget *w : resettable(root, skipClasses)) {
        const QVariant visible = w->property(defaultVisible);
        if (visible.isValid())
            w->setVisible(visible.toBool());
        if (auto *dt = qobject_cast<QDateTimeEdit *>(w))
            dt->setDateTime(QDateTime::currentDateTime());
        applyValue(w, w->property(defaultValue));
    }
}

void setDefaultVisible(QWidget *widget, bool visible)
{
    if (widget)
        widget->setProperty(defaultVisible, visible);
}
