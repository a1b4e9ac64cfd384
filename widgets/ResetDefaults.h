#pragma once

#include <QStringList>

class QWidget;

// The "重置设置" mechanism of the property panels. captureDefaults stores each descendant's
// value in its property "DefaultValue"; restoreDefaults writes it back through the widgets'
// ordinary setters, so their change signals fire. Widgets whose class name is in skipClasses
// are left alone. Date-time editors are set to the moment of the reset. Every value control
// takes part: text edits, combo boxes, switches, line edits, spin boxes of every kind (the
// styled and the plain ones), sliders, stacks and tabs, check boxes and radio buttons, and
// checkable tool and push buttons (checked state besides their text).
void captureDefaults(QWidget *root, const QStringList &skipClasses = QStringList());
void restoreDefaults(QWidget *root, const QStringList &skipClasses = QStringList());

// Visibility that restoreDefaults gives the widget (property "DefaultVisibel").
void setDefaultVisible(QWidget *widget, bool visible);
