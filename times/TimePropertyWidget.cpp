#include "times/TimePropertyWidget.h"
#include "ui_TimePropertyWidget.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "filetime/LocalDateTime.h"
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
QTime toSecond(const QTime &time)
{
    return QTime(time.hour(), time.minute(), time.second());
}

// The local time an editor's reading names. The editors hold the reading as it is (as UTC, which
// has no gaps): Qt's local time knows the zone's rules only from 1970 to 2037, and moves a date
// picked into a skipped hour back instead of on.
QDateTime chosen(const QDateTimeEdit *editor)
{
    return localReading(editor->date(), toSecond(editor->time()));
}

void showReading(QDateTimeEdit *editor, const QDateTime &local)
{
    editor->setDateTime(QDateTime(local.date(), local.time(), Qt::UTC));
}

// A reading the clocks skip (spring forward), from the calendar, a box or typing, becomes the
// time they moved on to (02:30 becomes 03:30). True when the editor was moved.
bool settle(QDateTimeEdit *editor)
{
    const QDateTime local = chosen(editor);
    if (!local.isValid()
        || (local.date() == editor->date() && local.time() == toSecond(editor->time())))
        return false;
    showReading(editor, local);
    return true;
}

// The editor's time with one field replaced; the date stays.
void setTimeField(QDateTimeEdit *editor, int hour, int minute, int second)
{
    const QTime now = editor->time();
    const QTime time(hour < 0 ? now.hour() : hour, minute < 0 ? now.minute() : minute,
        second < 0 ? now.second() : second, now.msec());
    if (time != now)
        editor->setTime(time);
}

} // namespace

TimePropertyWidget::TimePropertyWidget(QWidget *parent)
    : QWidget(parent), ui(new Ui::TimePropertyWidget)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground); // the panel surface comes from the stylesheet
    ui->setBtn->setEnabled(false);
    ui->birthDate->setTimeSpec(Qt::UTC);
    ui->modifiedDate->setTimeSpec(Qt::UTC);
    connectSource(true);
    connectSource(false);
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
    // A folder has no photo to take a capture time from.
    if (nameSpace == QLatin1String(Topic::FolderTimeProperty)) {
        for (QComboBox *box : {ui->birthSourceBox, ui->modifiedSourceBox}) {
            const int capture = box->findData(int(TimeSource::Capture));
            if (capture >= 0)
                box->removeItem(capture);
        }
    }
}

void TimePropertyWidget::connectSource(bool birth)
{
    QComboBox *box = birth ? ui->birthSourceBox : ui->modifiedSourceBox;
    for (int i = 0; i < box->count(); ++i)
        box->setItemData(i, i); // the item's TimeSource, which stays when an item is removed
    connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        [this, birth] { onSourceOrShiftChanged(birth); });
    const QList<QSpinBox *> shifts = birth
        ? QList<QSpinBox *> {ui->birthShiftD, ui->birthShiftH, ui->birthShiftM, ui->birthShiftS}
        : QList<QSpinBox *> {
            ui->modifiedShiftD, ui->modifiedShiftH, ui->modifiedShiftM, ui->modifiedShiftS};
    for (QSpinBox *shift : shifts)
        connect(shift, QOverload<int>::of(&QSpinBox::valueChanged), this,
            [this, birth] { onSourceOrShiftChanged(birth); });
}

void TimePropertyWidget::onSourceOrShiftChanged(bool birth)
{
    QComboBox *box = birth ? ui->birthSourceBox : ui->modifiedSourceBox;
    const auto source = TimeSource(box->currentData().toInt());
    const qint64 shift = birth
        ? ((ui->birthShiftD->value() * 24LL + ui->birthShiftH->value()) * 60
              + ui->birthShiftM->value())
                * 60
            + ui->birthShiftS->value()
        : ((ui->modifiedShiftD->value() * 24LL + ui->modifiedShiftH->value()) * 60
              + ui->modifiedShiftM->value())
                * 60
            + ui->modifiedShiftS->value();
    // The date and time editors say something only for "指定时间".
    const bool chosenSource = source == TimeSource::Chosen;
    const QList<QWidget *> editors = birth
        ? QList<QWidget *> {ui->birthDate, ui->createTimeH, ui->createTimeM, ui->createTimeS,
            ui->label_5, ui->label_6, ui->label_3, ui->label_4}
        : QList<QWidget *> {ui->modifiedDate, ui->updateTimeH, ui->updateTimeM, ui->updateTimeS,
            ui->label_10, ui->label_7, ui->label_8, ui->label_9};
    for (QWidget *editor : editors)
        editor->setEnabled(chosenSource);
    if (rule) {
        (birth ? rule->birthSource : rule->modifiedSource) = source;
        (birth ? rule->birthShift : rule->modifiedShift) = shift;
    }
    announce(chosen(birth ? ui->birthDate : ui->modifiedDate));
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
    onSourceOrShiftChanged(true);
    onSourceOrShiftChanged(false);

    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime shown = localReading(now.date(), toSecond(now.time()));
    showReading(ui->modifiedDate, shown);
    showReading(ui->birthDate, shown);
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
    announce(chosen(ui->birthDate));
}

void TimePropertyWidget::onModifiedChecked(bool checked)
{
    ui->updateTimeWidget->setEnabled(checked);
    if (rule)
        rule->setModifiedTime = checked;
    announce(chosen(ui->modifiedDate));
}

void TimePropertyWidget::on_birthDate_dateTimeChanged(const QDateTime &dateTime)
{
    if (settle(ui->birthDate))
        return; // the settled reading comes through here again
    if (rule)
        rule->birthTime = chosen(ui->birthDate);
    ui->createTimeH->setValue(dateTime.time().hour());
    ui->createTimeM->setValue(dateTime.time().minute());
    ui->createTimeS->setValue(dateTime.time().second());
    announce(chosen(ui->birthDate));
}

void TimePropertyWidget::on_modifiedDate_dateTimeChanged(const QDateTime &dateTime)
{
    if (settle(ui->modifiedDate))
        return; // the settled reading comes through here again
    if (rule)
        rule->modifiedTime = chosen(ui->modifiedDate);
    ui->updateTimeH->setValue(dateTime.time().hour());
    ui->updateTimeM->setValue(dateTime.time().minute());
    ui->updateTimeS->setValue(dateTime.time().second());
    announce(chosen(ui->modifiedDate));
}

void TimePropertyWidget::on_setBtn_clicked()
{
    // Both time pages hear the start; the mark lets only this page's list act.
    RenamePageMessage::publish(nameSpace == QLatin1String(Topic::FolderTimeProperty),
        QString::fromLatin1(Topic::StartChangeDate), QVariant(chosen(ui->modifiedDate)));
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
    announce(chosen(ui->birthDate));
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
