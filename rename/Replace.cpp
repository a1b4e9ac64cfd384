#include "rename/Replace.h"
#include "ui_Replace.h"

#include "widgets/ResetDefaults.h"

Replace::Replace(QWidget *parent) : QWidget(parent), ui(new Ui::Replace)
{
    ui->setupUi(this);
    ui->autoNameErrorCheck->setText(QStringLiteral("自动解决命名冲突"));
    ui->autoNameErrorCheck->setChecked(true);

    connect(ui->autoNameErrorCheck, &CustormCheckBox::Checked, this,
        [this](bool on) { write([on](RenameReplaceSetting &r) { r.autoNameErrorCheck = on; }); });
    connect(ui->suffixCheckBox, &CustormCheckBox::Checked, this, [this](bool on) {
        ui->suffixTypeBackgroundWidget->setEnabled(on);
        write([on](RenameReplaceSetting &r) { r.suffixCheck = on; });
    });
}

Replace::~Replace()
{
    delete ui;
}

void Replace::setValueName(const QString &name)
{
    nameSpace = name;
    setProperty("ValueName", name);
}

void Replace::setSuffixVisible(bool visible)
{
    ui->suffixWidget->setVisible(visible);
    setDefaultVisible(ui->suffixWidget, visible);
}

void Replace::prepare()
{
    ui->suffixCheckBox->setChecked(false);
    ui->suffixTypeBackgroundWidget->setEnabled(false);
    publish();
}

void Replace::on_replaceFindContentEdit_textChanged(const QString &text)
{
    write([&text](RenameReplaceSetting &r) { r.replaceFindContent = text; });
}

void Replace::on_replaceReplaceContentEdit_textChanged(const QString &text)
{
    write([&text](RenameReplaceSetting &r) { r.replaceReplaceContent = text; });
}

void Replace::on_CaseSensitivityComboBox_currentIndexChanged(int index)
{
    write([index](RenameReplaceSetting &r) { r.caseType = index; });
}

void Replace::on_simplifiedTraditionalComboBox_currentIndexChanged(int index)
{
    write([index](RenameReplaceSetting &r) { r.simplifiedTraditionalType = index; });
}

void Replace::on_ChineseToPinyingComboBox_currentIndexChanged(int index)
{
    write([index](RenameReplaceSetting &r) { r.chineseToPinyinType = index; });
}

void Replace::on_splitEdit_textChanged(const QString &text)
{
    write([&text](RenameReplaceSetting &r) { r.splitText = text; });
}

void Replace::on_custormTypeBtn_clicked(bool checked)
{
    if (checked)
        setSuffixType(ui, 0);
}

void Replace::on_replaceBtn_clicked(bool checked)
{
    if (checked)
        setSuffixType(ui, 1);
}

void Replace::on_newSuffixEdit_textChanged(const QString &text)
{
    write([&text](RenameReplaceSetting &r) { r.newSuffix = text; });
}

void Replace::on_findContentEdit_textChanged(const QString &text)
{
    write([&text](RenameReplaceSetting &r) { r.findContent = text; });
}

void Replace::on_replaceContentEdit_textChanged(const QString &text)
{
    write([&text](RenameReplaceSetting &r) { r.replaceContent = text; });
}
