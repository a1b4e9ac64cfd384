#include "rename/Delete.h"
#include "ui_Delete.h"

#include "widgets/ResetDefaults.h"

Delete::Delete(QWidget *parent) : QWidget(parent), ui(new Ui::Delete)
{
    ui->setupUi(this);
    ui->deleteWayStackedWidget->setCurrentWidget(ui->assignContentPage);
    connect(ui->suffixCheckBox, &CustormCheckBox::Checked, this, [this](bool on) {
        ui->suffixTypeBackgroundWidget->setEnabled(on);
        write([on](RenameDeleteSetting &r) { r.suffixCheck = on; });
    });
}

Delete::~Delete()
{
    delete ui;
}

void Delete::setValueName(const QString &name)
{
    nameSpace = name;
    setProperty("ValueName", name);
}

void Delete::setSuffixVisible(bool visible)
{
    ui->suffixWidget->setVisible(visible);
    setDefaultVisible(ui->suffixWidget, visible);
}

void Delete::on_assignContentBtn_clicked(bool checked)
{
    if (!checked)
        return;
    ui->deleteWayStackedWidget->setCurrentWidget(ui->assignContentPage);
    write([](RenameDeleteSetting &r) { r.deleteType = 0; });
}

void Delete::on_assignPosBtn_clicked(bool checked)
{
    if (!checked)
        return;
    ui->deleteWayStackedWidget->setCurrentWidget(ui->assignPosPage);
    write([](RenameDeleteSetting &r) { r.deleteType = 1; });
}

void Delete::on_textEdit_textChanged()
{
    const QString text = ui->textEdit->toPlainText();
    write([&text](RenameDeleteSetting &r) { r.deleteContent = text; });
}

void Delete::on_deletePosComboBox_currentIndexChanged(int index)
{
    ui->deletePosLabel->setText(
        index == 1 ? QStringLiteral("个字符向左删除") : QStringLiteral("个字符向右删除"));
    write([index](RenameDeleteSetting &r) { r.deletePosType = index; });
}

void Delete::on_deletePosSpinBox_valueChanged(int value)
{
    write([value](RenameDeleteSetting &r) { r.deletePos = value; });
}

void Delete::on_deleteCountSpinBox_valueChanged(int value)
{
    write([value](RenameDeleteSetting &r) { r.deleteCount = value; });
}

void Delete::on_CaseSensitivityComboBox_currentIndexChanged(int index)
{
    write([index](RenameDeleteSetting &r) { r.caseType = index; });
}

void Delete::on_simplifiedTraditionalComboBox_currentIndexChanged(int index)
{
    write([index](RenameDeleteSetting &r) { r.simplifiedTraditionalType = index; });
}

void Delete::on_ChineseToPinyingComboBox_currentIndexChanged(int index)
{
    write([index](RenameDeleteSetting &r) { r.chineseToPinyinType = index; });
}

void Delete::on_custormTypeBtn_clicked(bool checked)
{
    if (checked)
        setSuffixType(ui, 0);
}

void Delete::on_replaceBtn_clicked(bool checked)
{
    if (checked)
        setSuffixType(ui, 1);
}

void Delete::on_newSuffixEdit_textChanged(const QString &text)
{
    write([&text](RenameDeleteSetting &r) { r.newSuffix = text; });
}

void Delete::on_findContentEdit_textChanged(const QString &text)
{
    write([&text](RenameDeleteSetting &r) { r.findContent = text; });
}

void Delete::on_replaceContentEdit_textChanged(const QString &text)
{
    write([&text](RenameDeleteSetting &r) { r.replaceContent = text; });
}
