#pragma once

// Test helper for the "重置设置" of a panel: finds the controls a user can set a value in (by
// Qt's base classes, apart from the reset mechanism, so a class the mechanism forgets shows up),
// changes every one of them, and lists those that do not show their start value afterwards.
//
//     const PanelControls::Values start = PanelControls::valuesOf(editor);
//     PanelControls::changeEvery(editor);
//     click the panel's reset button
//     QVERIFY2(PanelControls::differences(start, editor).isEmpty(), ...);
//     PanelControls::reassertEvery(editor); // then the rule record must hold its defaults
//
// Header only: the support library links no widgets.

#include "widgets/CustormCheckBox.h"
#include "widgets/GrayLayerWidget.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

#include <cstdlib>

namespace PanelControls {

using Values = QMap<QWidget *, QVariant>;

// Parts of a compound control (the line edit of a spin box, the check box of a switch).
inline bool isPartOfControl(const QWidget *w, const QWidget *root)
{
    for (const QWidget *p = w->parentWidget(); p && p != root; p = p->parentWidget()) {
        if (qobject_cast<const QAbstractSpinBox *>(p) || qobject_cast<const QComboBox *>(p)
            || qobject_cast<const CustormCheckBox *>(p) || qobject_cast<const QCalendarWidget *>(p))
            return true;
    }
    return false;
}

inline bool isValueControl(QWidget *w)
{
    if (qobject_cast<QAbstractButton *>(w))
        return static_cast<QAbstractButton *>(w)->isCheckable();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return !e->isReadOnly();
    if (auto *e = qobject_cast<QTextEdit *>(w))
        return !e->isReadOnly();
    if (auto *e = qobject_cast<QPlainTextEdit *>(w))
        return !e->isReadOnly();
    return qobject_cast<CustormCheckBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)
        || qobject_cast<QComboBox *>(w)
        || (qobject_cast<QAbstractSlider *>(w) && !qobject_cast<QScrollBar *>(w));
}

// Value controls, plus the stacks and grey layers whose state the controls steer.
inline QList<QWidget *> controls(QWidget *root, bool withSteered)
{
    QList<QWidget *> out;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (isPartOfControl(w, root))
            continue;
        const bool steered = qobject_cast<QStackedWidget *>(w) || qobject_cast<QTabWidget *>(w)
            || qobject_cast<GrayLayerWidget *>(w);
        if (isValueControl(w) || (withSteered && steered))
            out << w;
    }
    return out;
}

inline QString shown(const QVariant &v)
{
    if (v.type() != QVariant::List)
        return v.toString();
    QStringList parts;
    for (const QVariant &p : v.toList())
        parts << shown(p);
    return QLatin1Char('[') + parts.join(QLatin1Char(',')) + QLatin1Char(']');
}

inline QString describe(QWidget *w)
{
    return QStringLiteral("%1 (%2)").arg(w->objectName(), w->metaObject()->className());
}

// What the control shows, and whether it is visible within the panel.
inline QVariant valueOf(QWidget *w, QWidget *root)
{
    QVariant v;
    if (auto *c = qobject_cast<CustormCheckBox *>(w))
        v = c->isChecked();
    else if (auto *b = qobject_cast<QAbstractButton *>(w))
        v = QVariantList {b->isChecked(), b->text()};
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        v = e->text();
    else if (auto *e = qobject_cast<QTextEdit *>(w))
        v = e->toPlainText();
    else if (auto *e = qobject_cast<QPlainTextEdit *>(w))
        v = e->toPlainText();
    else if (auto *c = qobject_cast<QComboBox *>(w))
        v = QVariantList {c->currentIndex(), c->currentText()};
    else if (qobject_cast<QDateTimeEdit *>(w))
        v = QString(); // compared with the moment of the reset instead
    else if (auto *s = qobject_cast<QAbstractSpinBox *>(w))
        v = s->text();
    else if (auto *s = qobject_cast<QAbstractSlider *>(w))
        v = s->value();
    else if (auto *s = qobject_cast<QStackedWidget *>(w))
        v = s->currentIndex();
    else if (auto *t = qobject_cast<QTabWidget *>(w))
        v = t->currentIndex();
    else if (qobject_cast<GrayLayerWidget *>(w))
        v = w->isEnabled();
    return QVariantList {v, w->isVisibleTo(root)};
}

inline Values valuesOf(QWidget *root)
{
    Values values;
    for (QWidget *w : controls(root, true))
        values.insert(w, valueOf(w, root));
    return values;
}

inline bool isExclusive(const QAbstractButton *b)
{
    return b->autoExclusive() || (b->group() && b->group()->exclusive());
}

// A step up, or down at the top of the range.
template<class Box> void stepAway(Box *box)
{
    box->stepBy(box->value() >= box->maximum() ? -1 : 1);
}
inline void stepAway(QAbstractSlider *slider)
{
    slider->triggerAction(slider->value() >= slider->maximum()
            ? QAbstractSlider::SliderSingleStepSub
            : QAbstractSlider::SliderSingleStepAdd);
}

// Changes one control as a user would: a click on a button or switch, a step of a spin box,
// the next item of a list, more text. Returns false when the control cannot be changed by
// a user just now (disabled, or the checked button of an exclusive group).
inline bool changeOne(QWidget *w)
{
    if (!w->isEnabled())
        return false;
    if (auto *c = qobject_cast<CustormCheckBox *>(w)) {
        c->findChild<QCheckBox *>()->click();
    } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        if (b->isChecked() && isExclusive(b))
            return false;
        b->click();
    } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
        e->setText(e->text() + QStringLiteral("x"));
    } else if (auto *e = qobject_cast<QTextEdit *>(w)) {
        e->setPlainText(e->toPlainText() + QStringLiteral("变"));
    } else if (auto *e = qobject_cast<QPlainTextEdit *>(w)) {
        e->setPlainText(e->toPlainText() + QStringLiteral("变"));
    } else if (auto *c = qobject_cast<QComboBox *>(w)) {
        if (c->count() < 2)
            return false;
        c->setCurrentIndex((c->currentIndex() + 1) % c->count());
    } else if (auto *d = qobject_cast<QDateTimeEdit *>(w)) {
        d->setDateTime(d->dateTime().addDays(-400));
    } else if (auto *s = qobject_cast<QSpinBox *>(w)) {
        stepAway(s);
    } else if (auto *s = qobject_cast<QDoubleSpinBox *>(w)) {
        stepAway(s);
    } else if (auto *s = qobject_cast<QAbstractSlider *>(w)) {
        stepAway(s);
    } else {
        return false;
    }
    return true;
}

// Changes every value control of the panel once. Controls that a switch enables are reached in
// a later round, after the switch was turned on.
inline void changeEvery(QWidget *root)
{
    QList<QWidget *> left = controls(root, false);
    for (int round = 0; round < 4 && !left.isEmpty(); ++round) {
        QList<QWidget *> still;
        for (QWidget *w : left) {
            // The checked button of an exclusive group changes through its partner; clicking
            // it in a later round would undo that change.
            auto *b = qobject_cast<QAbstractButton *>(w);
            if (b && b->isChecked() && isExclusive(b))
                continue;
            if (!changeOne(w))
                still << w;
        }
        left = still;
    }
}

// The controls that do not show their start value (nor their start visibility), one line each.
// Date and time editors must show the moment of the reset.
inline QStringList differences(const Values &start, QWidget *root)
{
    QStringList out;
    for (QWidget *w : controls(root, true)) {
        if (!start.contains(w)) {
            out << describe(w) + QStringLiteral(": not there at start");
            continue;
        }
        const QVariant now = valueOf(w, root);
        if (now != start.value(w)) {
            out << QStringLiteral("%1: %2 at start, %3 now")
                       .arg(describe(w), shown(start.value(w)), shown(now));
        }
        if (auto *d = qobject_cast<QDateTimeEdit *>(w)) {
            // The reading shown, as local time: the time editors hold theirs as UTC.
            const qint64 off = QDateTime(d->date(), d->time()).secsTo(QDateTime::currentDateTime());
            const bool showsTime = d->displayedSections() & QDateTimeEdit::TimeSections_Mask;
            if (d->date() != QDate::currentDate() || (showsTime && std::abs(off) > 10))
                out << describe(w) + QStringLiteral(": not the moment of the reset but ")
                        + d->dateTime().toString(Qt::ISODate);
        }
    }
    return out;
}

// Writes what every enabled control shows once more through the panel's own handlers (away
// and back), so that a rule record that disagrees with its controls shows the difference.
inline void reassertEvery(QWidget *root)
{
    for (QWidget *w : controls(root, false)) {
        if (!w->isEnabled())
            continue;
        if (auto *c = qobject_cast<CustormCheckBox *>(w)) {
            c->findChild<QCheckBox *>()->click();
            c->findChild<QCheckBox *>()->click();
        } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            if (!isExclusive(b))
                b->click();
            if (b->isChecked() || !isExclusive(b))
                b->click();
        } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
            const QString text = e->text();
            e->setText(text + QStringLiteral("x"));
            e->setText(text);
        } else if (auto *e = qobject_cast<QTextEdit *>(w)) {
            const QString text = e->toPlainText();
            e->setPlainText(text + QStringLiteral("x"));
            e->setPlainText(text);
        } else if (auto *e = qobject_cast<QPlainTextEdit *>(w)) {
            const QString text = e->toPlainText();
            e->setPlainText(text + QStringLiteral("x"));
            e->setPlainText(text);
        } else if (auto *c = qobject_cast<QComboBox *>(w)) {
            const int index = c->currentIndex();
            if (c->count() < 2)
                continue;
            c->setCurrentIndex((index + 1) % c->count());
            c->setCurrentIndex(index);
        } else if (auto *d = qobject_cast<QDateTimeEdit *>(w)) {
            const QDateTime shown = d->dateTime();
            d->setDateTime(shown.addDays(-1));
            d->setDateTime(shown);
        } else if (auto *s = qobject_cast<QSpinBox *>(w)) {
            const int v = s->value();
            stepAway(s);
            s->setValue(v);
        } else if (auto *s = qobject_cast<QDoubleSpinBox *>(w)) {
            const double v = s->value();
            stepAway(s);
            s->setValue(v);
        } else if (auto *s = qobject_cast<QAbstractSlider *>(w)) {
            const int v = s->value();
            stepAway(s);
            s->setValue(v);
        }
    }
}

// The property panel of a page (the rename, time, extraction or creation panel on its right).
inline QWidget *panelOf(QWidget *page)
{
    for (QWidget *w : page->findChildren<QWidget *>()) {
        const QString cls = QString::fromLatin1(w->metaObject()->className());
        if (cls.contains(QLatin1String("Propert")) && cls.endsWith(QLatin1String("Widget")))
            return w;
    }
    return nullptr;
}

} // namespace PanelControls
