#include "rename/CustormRename.h"
#include "ui_CustormRename.h"

#include "widgets/ResetDefaults.h"

CustormRename::CustormRename(QWidget *parent) : QWidget(parent), ui(new Ui::CustormRename)
{
    ui->setupUi(this);
    ui->autoNameErrorCheck->setText(QStringLiteral("自动解决命名冲突"));
    ui->autoNameErrorCheck->setChecked(true);
    ui->useNumberAsNameCheck->setText(QStringLiteral("仅使用编号作为文件名"));
    ui->insertPosWidget->hide();
    ui->insertCustormPosWidget->hide();
    ui->custormPosWidget->hide();
    setDefaultVisibleState();

    connect(ui->autoNameErrorCheck, &CustormCheckBox::Checked, this,
        [this](bool on) { write([on](RenameCustomSetting &r) { r.autoNameErrorCheck = on; }); });
    connect(ui->numberSetCheck, &CustormCheckBox::Checked, this, [this](bool on) {
        ui->numberSettingBackgrounWidget->setEnabled(on);
        write([on](RenameCustomSetting &r) { r.numberSetCheck = on; });
    });
    connect(ui->useNumberAsNameCheck, &CustormCheckBox::Checked, this,
        [this](bool on) { write([on](RenameCustomSetting &r) { r.useNumberAsName = on; }); });
    connect(ui->suffixCheckBox, &CustormCheckBox::Checked, this, [this](bool on) {
        ui->suffixTypeBackgroundWidget->setEnabled(on);
        write([on](RenameCustomSetting &r) { r.suffixCheck = on; });
    });
}

CustormRename::~CustormRename()
{
    delete ui;
}

void CustormRename::setDefaultVisibleState()
{
    // The reset brings back what the user had not opened yet.
    setDefaultVisible(ui->insertCustormPosWidget, false);
    setDefaultVisible(ui->custormPosWidget, false);
}

void CustormRename::setValueName(const QString &name)
{
    nameSpace = name;
    setProperty("ValueName", name);
}

void CustormRename::setInsertPosVisible(bool visible)
{
    ui->insertPosWidget->setVisible(visible);
    setDefaultVisible(ui->insertPosWidget, visible);
}

void CustormRename::setHeaderText(const QString &text)
{
    ui->custormTypeLabel->setText(text);
}

void CustormRename::setSuffixVisible(bool visible)
{
    ui->suffixWidget->setVisible(visible);
    setDefaultVisible(ui->suffixWidget, visible);
}

void CustormRename::prepare()
{
    ui->firstBtn->setChecked(true);
    ui->numbderBtn->setChecked(true);
    ui->custormTypeBtn->setChecked(true);
    ui->numberSetCheck->setChecked(false);
    ui->suffixCheckBox->setChecked(false);
    ui->numberSettingBackgrounWidget->setEnabled(false);
    ui->suffixTypeBackgroundWidget->setEnabled(false);
}

void CustormRename::on_fileNameEdit_textChanged()
{
    const QString text = ui->fileNameEdit->toPlainText();
    write([&text](RenameCustomSetting &r) { r.nameText = text; });
}

void CustormRename::on_insertFirstBtn_clicked(bool checked)
{
    if (!checked)
        return;
    ui->insertCustormPosWidget->hide();
    write([](RenameCustomSetting &r) { r.insertPos = 0; });
}

void CustormRename::on_insertLastBtn_clicked(bool checked)
{
    if (!checked)
        return;
    ui->insertCustormPosWidget->hide();
    write([](RenameCustomSetting &r) { r.insertPos = 1; });
}

void CustormRename::on_insertCustormPosBtn_clicked(bool checked)
{
    if (!checked)
        return;
    ui->insertCustormPosWidget->show();
    write([](RenameCustomSetting &r) { r.insertPos = 2; });
}

void CustormRename::on_insertNumberBehindCountSpinBox_valueChanged(int value)
{
    write([value](RenameCustomSetting &r) { r.insertBehindCount = value; });
}

void CustormRename::on_CaseSensitivityComboBox_currentIndexChanged(int index)
{
    write([index](RenameCustomSetting &r) { r.caseType = index; });
}

void CustormRename::on_simplifiedTraditionalComboBox_activated(int index)
{
    write([index](RenameCustomSetting &r) { r.simplifiedTraditionalType = index; });
}

void CustormRename::on_ChineseToPinyingComboBox_currentIndexChanged(int index)
{
    write([index](RenameCustomSetting &r) { r.chineseToPinyinType = index; });
}

void CustormRename::on_firstBtn_clicked(bool checked)
{
    if (!checked)
        return;
    ui->custormPosWidget->hide();
    write([](RenameCustomSetting &r) { r.numberPos = 0; });
}

void CustormRename::on_lastBtn_clicked(bool checked)
{
    if (!checked)
        return;
    ui->custormPosWidget->hide();
    write([](RenameCustomSetting &r) { r.numberPos = 1; });
}

void CustormRename::on_custormPosBtn_clicked(bool checked)
{
    if (!checked)
        return;
    ui->custormPosWidget->show();
    write([](RenameCustomSetting &r) { r.numberPos = 2; });
}

void CustormRename::on_numberBehindCountSpinBox_valueChanged(int value)
{
    write([value](RenameCustomSetting &r) { r.numberBehindCount = value; });
}

void CustormRename::setNumberType(int type)
{
    ui->numberTypeStackedWidget->setCurrentIndex(type);
    write([type](RenameCustomSetting &r) { r.numberType = type; });
}

void CustormRename::on_numbderBtn_clicked(bool checked)
{
    if (checked)
        setNumberType(0);
}

void CustormRename::on_charBtn_clicked(bool checked)
{
    if (checked)
        setNumberType(1);
}

void CustormRename::on_randomBtn_clicked(bool checked)
{
    if (checked)
        setNumberType(2);
}

void CustormRename::on_timeBtn_clicked(bool checked)
{
    if (checked)
        setNumberType(3);
}

void CustormRename::on_startNumberSpinBox_valueChanged(int value)
{
    write([value](RenameCustomSetting &r) { r.startNumber = value; });
}

void CustormRename::on_incrementNumberSpinBox_valueChanged(int value)
{
    write([value](RenameCustomSetting &r) { r.incrementNumber = value; });
}

void CustormRename::on_numberCountSpinBox_valueChanged(int value)
{
    write([value](RenameCustomSetting &r) { r.numberCount = value; });
}

void CustormRename::on_randomRuleComboBox_currentIndexChanged(int index)
{
    write([index](RenameCustomSetting &r) { r.randomRule = index; });
}

void CustormRename::on_charCountSpinBox_valueChanged(int value)
{
    write([value](RenameCustomSetting &r) { r.charCount = value; });
}

void CustormRename::on_timeTypeComboBox_currentIndexChanged(int index)
{
    write([index](RenameCustomSetting &r) { r.timeType = index; });
}

void CustormRename::on_timeStyleComboBox_currentIndexChanged(int index)
{
    write([index](RenameCustomSetting &r) { r.timeStyle = index; });
}

void CustormRename::on_startCharSpinBox_valueChanged(int value)
{
    // The spin box counts 10 (a) to 35 (z) in base 36; the record counts 1 to 26.
    write([value](RenameCustomSetting &r) { r.startChar = value - 9; });
}

void CustormRename::on_incrementCharSpinBox_valueChanged(int value)
{
    write([value](RenameCustomSetting &r) { r.incrementChar = value; });
}

void CustormRename::on_custormTypeBtn_clicked(bool checked)
{
    if (checked)
        setSuffixType(ui, 0);
}

void CustormRename::on_replaceBtn_clicked(bool checked)
{
    if (checked)
        setSuffixType(ui, 1);
}

void CustormRename::on_newSuffixEdit_textChanged(const QString &text)
{
    write([&text](RenameCustomSetting &r) { r.newSuffix = text; });
}

void CustormRename::on_findContentEdit_textChanged(const QString &text)
{
    write([&text](RenameCustomSetting &r) { r.findContent = text; });
}

void CustormRename::on_replaceContentEdit_textChanged(const QString &text)
{
    write([&text](RenameCustomSetting &r) { r.replaceContent = text; });
}
