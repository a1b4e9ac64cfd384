#pragma once

#include <QStringList>

class QWidget;

// The "重置设置" mechanism of the property panels. captureDefaults stores each descendant's
// value in its property "DefaultValue"; restoreDefaults writes it back through the widgets'
// ordinary setters, so their change signals fire. Widgets whose class name is in skipClasses
// are left alone. Date-time editors are set to the moment of the reset.
void captureDefaults(QWidget *root, const QStringList &skipClasses = QStringList());
void restoreDefaults(QWidget *root, const QStringList &skipClasses = QStringList());

// Visibility that restoreDefaults gives the widget (property "DefaultVisibel").
void setDefaultVisible(QWidget *widget, bool visible);
