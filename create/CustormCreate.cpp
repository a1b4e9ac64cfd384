#include "create/CustormCreate.h"
#include "ui_CustormCreate.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "create/CreateNames.h"
#include "create/CreateSettings.h"
#include "widgets/FileChoices.h"
#include "widgets/ResetDefaults.h"

CustormCreate::CustormCreate(QWidget *parent) : QWidget(parent), ui(new Ui::CustormCreate)
{
    ui->setupUi(this);
    ui->autoNameErrorCheck->setText(QStringLiteral("自动解决命名冲突"));
    ui->autoNameErrorCheck->setChecked(true);
    ui->openPathBtn->setIcon(QIcon(QStringLiteral(":/image/openDir.svg")));
    ui->custormPosWidget->hide();
    setDefaultVisible(ui->custormPosWidget, false);
    ui->numberTypeStackedWidget->setCurrentWidget(ui->numberPage);

    customCreateSettings()->targetDir = desktopFolder();
    showChosenPath(ui->replacePathLabel, customCreateSettings()->targetDir);

    connect(ui->timeStyleComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &CustormCreate::onTimeStyleChanged);
    connect(ui->autoNameErrorCheck, &CustormCheckBox::Checked, this,
        &CustormCreate::onAutoResolveChecked);
    // timeTypeComboBox stays unconnected: this rule's time is always the present one.
}

CustormCreate::~CustormCreate()
{
    delete ui;
}

void CustormCreate::announce()
{
    CNvGlobalObserver::instance()->notifyObservers(
        QString::fromLatin1(Topic::CustomCreateExcelRename),
        QString::fromLatin1(Topic::RenameValueUpdate), QVariant());
}

void CustormCreate::generate()
{
    // A reset restores many controls at once; the panel announces once afterwards.
    if (resetting)
        return;
    SequenceSettings sequence;
    sequence.numberType = numberType;
    sequence.startNumber = startNumber;
    sequence.incrementNumber = incrementNumber;
    sequence.numberCount = numberCount;
    sequence.startChar = startChar;
    sequence.incrementChar = incrementChar;
    sequence.randomRule = randomRule;
    sequence.charCount = charCount;
    sequence.timeStyle = timeStyle;
    CreateSettings *record = customCreateSettings();
    record->names = customCreateNames(ui->createNamelineEdit->text(),
        ui->createCountSpinBox->value(), sequence, numberPos, numberBehindCount);
    record->states = QList<int>();
    record->states.reserve(record->names.size());
    for (int i = 0; i < record->names.size(); ++i)
        record->states.append(StatePending);
    announce();
}

void CustormCreate::resetToDefaults()
{
    resetting = true;
    restoreDefaults(this);
    resetting = false;
    // Option buttons are restored without a click, so their members are set here; the others
    // follow the restored controls.
    numberPos = 0;
    numberType = 0;
    ui->numberTypeStackedWidget->setCurrentWidget(ui->numberPage);
    numberBehindCount = ui->numberBehindCountSpinBox->value();
    startNumber = ui->startNumberSpinBox->value();
    incrementNumber = ui->incrementNumberSpinBox->value();
    numberCount = ui->numberCountSpinBox->value();
    randomRule = ui->randomRuleComboBox->currentIndex();
    charCount = ui->charCountSpinBox->value();
    timeStyle = ui->timeStyleComboBox->currentIndex();
    startChar = ui->startCharSpinBox->value() - 9;
    incrementChar = ui->incrementCharSpinBox->value();
    showChosenPath(ui->replacePathLabel, desktopFolder()); // where the reset puts the rule
}

void CustormCreate::on_firstBtn_clicked(bool checked)
{
    ui->custormPosWidget->hide();
    if (checked) {
        numberPos = 0;
        generate();
    }
}

void CustormCreate::on_lastBtn_clicked(bool checked)
{
    ui->custormPosWidget->hide();
    if (checked) {
        numberPos = 1;
        generate();
    }
}

void CustormCreate::on_custormPosBtn_clicked(bool checked)
{
    ui->custormPosWidget->show();
    if (checked) {
        numberPos = 2;
        generate();
    }
}

void CustormCreate::showNumberType(int type)
{
    static QWidget *Ui::CustormCreate::*const pages[] = {&Ui::CustormCreate::numberPage,
        &Ui::CustormCreate::charPage, &Ui::CustormCreate::randomPage, &Ui::CustormCreate::timePage};
    ui->numberTypeStackedWidget->setCurrentWidget(ui->*pages[type]);
    numberType = type;
    generate();
}

void CustormCreate::on_numbderBtn_clicked(bool checked)
{
    if (checked)
        showNumberType(0);
}

void CustormCreate::on_charBtn_clicked(bool checked)
{
    if (checked)
        showNumberType(1);
}

void CustormCreate::on_randomBtn_clicked(bool checked)
{
    if (checked)
        showNumberType(2);
}

void CustormCreate::on_timeBtn_clicked(bool checked)
{
    if (checked)
        showNumberType(3);
}

void CustormCreate::on_numberBehindCountSpinBox_valueChanged(int arg1)
{
    numberBehindCount = arg1;
    generate();
}

void CustormCreate::on_startCharSpinBox_valueChanged(int arg1)
{
    // The spin box counts 10 (a) to 35 (z) in base 36; the sequence counts 1 to 26.
    startChar = arg1 - 9;
    generate();
}

void CustormCreate::on_incrementCharSpinBox_valueChanged(int arg1)
{
    incrementChar = arg1;
    generate();
}

void CustormCreate::on_startNumberSpinBox_valueChanged(int arg1)
{
    startNumber = arg1;
    generate();
}

void CustormCreate::on_incrementNumberSpinBox_valueChanged(int arg1)
{
    incrementNumber = arg1;
    generate();
}

void CustormCreate::on_numberCountSpinBox_valueChanged(int arg1)
{
    numberCount = arg1;
    generate();
}

void CustormCreate::on_createCountSpinBox_valueChanged(int arg1)
{
    Q_UNUSED(arg1)
    generate();
}

void CustormCreate::on_createNamelineEdit_textChanged(const QString &arg1)
{
    Q_UNUSED(arg1)
    generate();
}

void CustormCreate::on_exportTypeCombox_currentIndexChanged(int index)
{
    Q_UNUSED(index)
    generate();
}

void CustormCreate::chooseTargetDir()
{
    const QString dir = chooseFolder(this, QStringLiteral("选择创建目录"));
    if (dir.isEmpty())
        return;
    showChosenPath(ui->replacePathLabel, dir);
    customCreateSettings()->targetDir = dir;
    announce();
}

void CustormCreate::on_replacePathLabel_clicked()
{
    chooseTargetDir();
}

void CustormCreate::on_openPathBtn_clicked()
{
    chooseTargetDir();
}

void CustormCreate::on_exportTypeCombox_activated(int index)
{
    customCreateSettings()->fileType = index;
    generate();
}

void CustormCreate::on_charCountSpinBox_valueChanged(int arg1)
{
    charCount = arg1;
    generate();
}

void CustormCreate::on_randomRuleComboBox_currentIndexChanged(int index)
{
    randomRule = index;
    generate();
}

void CustormCreate::onTimeStyleChanged(int index)
{
    timeStyle = index;
    generate();
}

void CustormCreate::onAutoResolveChecked(bool checked)
{
    customCreateSettings()->autoResolve = checked;
    announce();
}
