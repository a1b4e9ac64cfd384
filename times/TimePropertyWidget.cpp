#include "times/TimePropertyWidget.h"
#include "ui_TimePropertyWidget.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "rename/RenameRules.h"
#include "times/TimeRule.h"
#include "widgets/ResetDefaults.h"

#include <QCalendarWidget>
#include <QTimer>

namespace {

const QString kDisplayFormat = QStringLiteral("yyyy/MM/dd hh:mm:ss");

QStringList skippedClasses()
{
    return {QStringLiteral("QLineEdit"), QStringLiteral("QLabel")};
}

// Times are written as the editors show them: to the second.
QDateTime toSecond(const QDateTime &dateTime)
{
    QDateTime t = dateTime;
    const QTime time = t.time();
    t.setTime(QTime(time.hour(), time.minute(), time.second()));
    return t;
}

// The editor's time with one field replaced; the date stays.
void setTimeField(QDateTimeEdit *editor, int hour, int minute, int second)
{
    const QTime now = editor->time();
    const QTime time(hour < 0 ? now.hour() : hour, minute < 0 ? now.minute() : minute,
        second < 0 ? now.second() : second, now.msec());
    if (time == now)
        return;
    const QDateTime wanted(editor->date(), time, Qt::LocalTime);
    if (wanted.isValid()) {
        editor->setTime(time);
        return;
    }
    // A time the clocks skip (spring forward) would send the editor to its minimum date: it
    // becomes the moment the clocks showed instead, as they moved on (02:30 becomes 03:30).
    const int offsetBefore = QDateTime(editor->date().addDays(-1), time).offsetFromUtc();
    editor->setDateTime(
        QDateTime(editor->date(), time, Qt::UTC).addSecs(-offsetBefore).toLocalTime());
}

} // namespace

TimePropertyWidget::TimePropertyWidget(QWidget *parent)
    : QWidget(parent), ui(new Ui::TimePropertyWidget)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground); // the panel surface comes from the stylesheet
    ui->setBtn->setEnabled(false);
    connect(ui->birthTimeSetCheck, &CustormCheckBox::Checked, this,
        &TimePropertyWidget::onBirthChecked);
    connect(ui->modifiedTimeSetCheck, &CustormCheckBox::Checked, this,
        &TimePropertyWidget::onModifiedChecked);
}

TimePropertyWidget::~TimePropertyWidget()
{
    delete ui;
}

void TimePropertyWidget::setRule(const QString &space, TimeRule *timeRule)
{
    nameSpace = space;
    rule = timeRule;
}

void TimePropertyWidget::init()
{
    ui->birthTimeSetCheck->setChecked(false);
    ui->modifiedTimeSetCheck->setChecked(false);
    ui->updateTimeWidget->setEnabled(false);
    ui->createTimeWidget->setEnabled(false);
    if (rule) {
        rule->setBirthTime = false;
        rule->setModifiedTime = false;
    }

    const QDateTime now = toSecond(QDateTime::currentDateTime());
    ui->modifiedDate->setDateTime(now);
    ui->birthDate->setDateTime(now);
    // The slots run only on a change; the rule holds the editors' values in any case.
    on_modifiedDate_dateTimeChanged(ui->modifiedDate->dateTime());
    on_birthDate_dateTimeChanged(ui->birthDate->dateTime());
    ui->modifiedDate->setDisplayFormat(kDisplayFormat);
    ui->birthDate->setDisplayFormat(kDisplayFormat);

    // Recorded now as well, so that a reset in the first second has defaults to go back to.
    recordDefaults();
    QTimer::singleShot(1000, this, &TimePropertyWidget::recordDefaults);
}

void TimePropertyWidget::setStartEnabled(bool enabled)
{
    ui->setBtn->setEnabled(enabled);
}

void TimePropertyWidget::recordDefaults()
{
    captureDefaults(this, skippedClasses());
}

void TimePropertyWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    QTimer::singleShot(1000, this, &TimePropertyWidget::fitCalendars);
}

void TimePropertyWidget::fitCalendars()
{
    for (QDateTimeEdit *editor : {ui->birthDate, ui->modifiedDate}) {
        if (QCalendarWidget *calendar = editor->calendarWidget())
            calendar->setFixedWidth(editor->width());
    }
}

void TimePropertyWidget::announce(const QDateTime &value)
{
    if (!publishing || nameSpace.isEmpty())
        return;
    CNvGlobalObserver::instance()->notifyObservers(
        nameSpace, QString::fromLatin1(Topic::RenameValueUpdate), QVariant(value));
}

void TimePropertyWidget::onBirthChecked(bool checked)
{
    ui->createTimeWidget->setEnabled(checked);
    if (rule)
        rule->setBirthTime = checked;
    announce(ui->birthDate->dateTime());
}

void TimePropertyWidget::onModifiedChecked(bool checked)
{
    ui->updateTimeWidget->setEnabled(checked);
    if (rule)
        rule->setModifiedTime = checked;
    announce(ui->modifiedDate->dateTime());
}

void TimePropertyWidget::on_birthDate_dateTimeChanged(const QDateTime &dateTime)
{
    if (rule)
        rule->birthTime = toSecond(dateTime);
    ui->createTimeH->setValue(dateTime.time().hour());
    ui->createTimeM->setValue(dateTime.time().minute());
    ui->createTimeS->setValue(dateTime.time().second());
    announce(ui->birthDate->dateTime());
}

void TimePropertyWidget::on_modifiedDate_dateTimeChanged(const QDateTime &dateTime)
{
    if (rule)
        rule->modifiedTime = toSecond(dateTime);
    ui->updateTimeH->setValue(dateTime.time().hour());
    ui->updateTimeM->setValue(dateTime.time().minute());
    ui->updateTimeS->setValue(dateTime.time().second());
    announce(ui->modifiedDate->dateTime());
}

void TimePropertyWidget::on_setBtn_clicked()
{
    // Both time pages hear the start; the mark lets only this page's list act.
    RenamePageMessage::publish(nameSpace == QLatin1String(Topic::FolderTimeProperty),
        QString::fromLatin1(Topic::StartChangeDate), QVariant(ui->modifiedDate->dateTime()));
}

void TimePropertyWidget::on_resetBtn_clicked()
{
    if (rule) {
        rule->setBirthTime = false;
        rule->setModifiedTime = false;
    }
    // The restore moves the editors several times; the list hears the outcome once.
    publishing = false;
    restoreDefaults(this, skippedClasses());
    publishing = true;
    announce(ui->birthDate->dateTime());
}

void TimePropertyWidget::on_createTimeH_valueChanged(int arg1)
{
    setTimeField(ui->birthDate, arg1, -1, -1);
}

void TimePropertyWidget::on_createTimeM_valueChanged(int arg1)
{
    setTimeField(ui->birthDate, -1, arg1, -1);
}

void TimePropertyWidget::on_createTimeS_valueChanged(int arg1)
{
    setTimeField(ui->birthDate, -1, -1, arg1);
}

void TimePropertyWidget::on_updateTimeH_valueChanged(int arg1)
{
    setTimeField(ui->modifiedDate, arg1, -1, -1);
}

void TimePropertyWidget::on_updateTimeM_valueChanged(int arg1)
{
    setTimeField(ui->modifiedDate, -1, arg1, -1);
}

void TimePropertyWidget::on_updateTimeS_valueChanged(int arg1)
{
    setTimeField(ui->modifiedDate, -1, -1, arg1);
}
