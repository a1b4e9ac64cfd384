#include "widgets/ResetDefaults.h"

#include "widgets/CustormCheckBox.h"
#include "widgets/GrayLayerWidget.h"
#include "widgets/StyledButtons.h"
#include "widgets/StyledInputs.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

namespace {

const char defaultValue[] = "DefaultValue";
const char defaultVisible[] = "DefaultVisibel";
// Second values of widgets whose "DefaultValue" holds something else: the checked state of
// a checkable tool or push button (whose text is its value), the text of an editable combo.
const char defaultChecked[] = "DefaultChecked";
const char defaultText[] = "DefaultText";

// The parts inside spin boxes, date editors, combo boxes, switches and calendars belong to
// their owner: resetting them on their own would write a stale value over the owner's (a date
// editor would go back to its captured date instead of the moment of the reset).
bool isInternalPart(const QWidget *widget, const QWidget *root)
{
    for (const QWidget *p = widget->parentWidget(); p && p != root; p = p->parentWidget()) {
        if (qobject_cast<const QAbstractSpinBox *>(p) || qobject_cast<const QComboBox *>(p)
            || qobject_cast<const CustormCheckBox *>(p) || qobject_cast<const QCalendarWidget *>(p))
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

// Scroll bars only show where a view stands; they hold no setting.
QAbstractSlider *valueSlider(QWidget *w)
{
    auto *slider = qobject_cast<QAbstractSlider *>(w);
    return slider && !qobject_cast<QScrollBar *>(w) ? slider : nullptr;
}

bool isTextButton(const QWidget *w)
{
    return qobject_cast<const QToolButton *>(w) || qobject_cast<const QPushButton *>(w);
}

QVariant valueOf(QWidget *w)
{
    if (auto *e = qobject_cast<QTextEdit *>(w))
        return e->toPlainText();
    if (auto *e = qobject_cast<QPlainTextEdit *>(w))
        return e->toPlainText();
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->currentIndex();
    if (auto *c = qobject_cast<CustormCheckBox *>(w))
        return c->isChecked();
    if (auto *b = qobject_cast<BluePushBtn *>(w))
        return b->isChecked();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (qobject_cast<QDateTimeEdit *>(w))
        return QVariant(); // reset gives it the moment of the reset
    if (auto *s = qobject_cast<QSpinBox *>(w))
        return s->value();
    if (auto *s = qobject_cast<QDoubleSpinBox *>(w))
        return s->value();
    if (auto *s = valueSlider(w))
        return s->value();
    if (auto *g = qobject_cast<GrayLayerWidget *>(w))
        return g->isEnabled();
    if (auto *s = qobject_cast<QStackedWidget *>(w))
        return s->currentIndex();
    if (auto *t = qobject_cast<QTabWidget *>(w))
        return t->currentIndex();
    if (qobject_cast<QLabel *>(w))
        return QVariant();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return isTextButton(b) ? QVariant(b->text()) : QVariant(b->isChecked());
    return QVariant();
}

void applyValue(QWidget *w, const QVariant &v)
{
    if (auto *e = qobject_cast<QTextEdit *>(w)) {
        e->setPlainText(v.toString());
    } else if (auto *e = qobject_cast<QPlainTextEdit *>(w)) {
        e->setPlainText(v.toString());
    } else if (auto *c = qobject_cast<QComboBox *>(w)) {
        c->setCurrentIndex(v.toInt());
        // A typed text is no index change: put the captured text back as well.
        if (c->isEditable())
            c->setEditText(c->property(defaultText).toString());
    } else if (auto *c = qobject_cast<CustormCheckBox *>(w)) {
        c->setChecked(v.toBool());
    } else if (auto *b = qobject_cast<BluePushBtn *>(w)) {
        b->setChecked(v.toBool());
    } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
        e->setText(v.toString());
    } else if (qobject_cast<QDateTimeEdit *>(w)) {
        return;
    } else if (auto *s = qobject_cast<QSpinBox *>(w)) {
        s->setValue(v.toInt());
    } else if (auto *s = qobject_cast<QDoubleSpinBox *>(w)) {
        s->setValue(v.toDouble());
    } else if (auto *s = valueSlider(w)) {
        s->setValue(v.toInt());
    } else if (auto *g = qobject_cast<GrayLayerWidget *>(w)) {
        g->setEnabled(v.toBool());
    } else if (auto *s = qobject_cast<QStackedWidget *>(w)) {
        s->setCurrentIndex(v.toInt());
    } else if (auto *t = qobject_cast<QTabWidget *>(w)) {
        t->setCurrentIndex(v.toInt());
    } else if (qobject_cast<QLabel *>(w)) {
        return;
    } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        if (!isTextButton(b)) {
            b->setChecked(v.toBool());
            return;
        }
        b->setText(v.toString());
        const QVariant checked = b->property(defaultChecked);
        if (b->isCheckable() && checked.isValid())
            b->setChecked(checked.toBool());
    }
}

// What valueOf does not hold for the widgets with two values.
void captureSecondValue(QWidget *w)
{
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        if (c->isEditable())
            c->setProperty(defaultText, c->currentText());
    } else if (isTextButton(w) && !qobject_cast<BluePushBtn *>(w)) {
        auto *b = static_cast<QAbstractButton *>(w);
        if (b->isCheckable())
            b->setProperty(defaultChecked, b->isChecked());
    }
}

} // namespace

void captureDefaults(QWidget *root, const QStringList &skipClasses)
{
    for (QWidget *w : resettable(root, skipClasses)) {
        const QVariant v = valueOf(w);
        if (v.isValid()) {
            w->setProperty(defaultValue, v);
            captureSecondValue(w);
        }
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
