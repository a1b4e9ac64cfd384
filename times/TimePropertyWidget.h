#pragma once

#include <QDateTime>
#include <QString>
#include <QWidget>

namespace Ui {
class TimePropertyWidget;
}

struct TimeRule;

// Right side of a time page: whether and to what the creation and modification times are set,
// "重置设置" and "开始命名". Every change is written to the page's rule and announced.
class TimePropertyWidget : public QWidget
{
    Q_OBJECT
public:
    explicit TimePropertyWidget(QWidget *parent = nullptr);
    ~TimePropertyWidget() override;

    // The page's bus nameSpace and rule; given once, before init.
    void setRule(const QString &nameSpace, TimeRule *rule);
    // Both switches off, both editors at the present moment, defaults recorded.
    void init();
    // Enables "开始命名" (the page does so while its list holds entries).
    void setStartEnabled(bool enabled);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void on_birthDate_dateTimeChanged(const QDateTime &dateTime);
    void on_modifiedDate_dateTimeChanged(const QDateTime &dateTime);
    void on_setBtn_clicked();
    void on_resetBtn_clicked();
    void on_createTimeH_valueChanged(int arg1);
    void on_createTimeM_valueChanged(int arg1);
    void on_createTimeS_valueChanged(int arg1);
    void on_updateTimeH_valueChanged(int arg1);
    void on_updateTimeM_valueChanged(int arg1);
    void on_updateTimeS_valueChanged(int arg1);

private:
    void onBirthChecked(bool checked);
    void onModifiedChecked(bool checked);
    void announce(const QDateTime &value);
    // The source boxes and shift boxes of one time write the rule and steer the editors.
    void connectSource(bool birth);
    void onSourceOrShiftChanged(bool birth);
    void recordDefaults();
    void fitCalendars();

    Ui::TimePropertyWidget *ui;
    QString nameSpace;
    TimeRule *rule = nullptr;
    bool publishing = true;
};
