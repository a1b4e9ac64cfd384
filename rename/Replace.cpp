#include "rename/Replace.h"
#include "ui_Replace.h"

#include "rename/ReplacePattern.h"
#include "widgets/ResetDefaults.h"

Replace::Replace(QWidget *parent) : QWidget(parent), ui(new Ui::Replace)
{
    ui->setupUi(this);
    ui->autoNameErrorCheck->setText(QStringLiteral("自动解决命名冲突"));
    ui->autoNameErrorCheck->setChecked(true);
    ui->replaceRegexCheck->setText(QStringLiteral("使用正则表达式"));
    ui->replaceCaseCheck->setText(QStringLiteral("区分大小写"));
    ui->replaceCaseCheck->setChecked(true);
    ui->patternErrorLabel->hide();
    ui->patternErrorLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    connect(ui->replaceRegexCheck, &CustormCheckBox::Checked, this,
        [this](bool on) { writeSearch([on](RenameReplaceSetting &r) { r.replaceRegex = on; }); });
    connect(ui->replaceCaseCheck, &CustormCheckBox::Checked, this, [this](bool on) {
        writeSearch([on](RenameReplaceSetting &r) { r.replaceCaseSensitive = on; });
    });

    connect(ui->autoNameErrorCheck, &CustormCheckBox::Checked, this,
        [this](bool on) { write([on](RenameReplaceSetting &r) { r.autoNameErrorCheck = on; }); });
    connect(ui->suffixCheckBox, &CustormCheckBox::Checked, this, [this](bool on) {
        ui->suffixTypeBackgroundWidget->setEnabled(on);
        write([on](RenameReplaceSetting &r) { r.suffixCheck = on; });
    });
}

Replace::~Replace()
{
    if (!nameSpace.isEmpty())
        CNvGlobalObserver::instance()->unregisterObserver(
            nameSpace, QString::fromLatin1(Topic::ReplacePatternState), this);
    delete ui;
}

void Replace::setValueName(const QString &name)
{
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    const QString answer = QString::fromLatin1(Topic::ReplacePatternState);
    if (!nameSpace.isEmpty())
        bus->unregisterObserver(nameSpace, answer, this);
    nameSpace = name;
    setProperty("ValueName", name);
    bus->registerObserver(nameSpace, answer, this, QUORVEX_BUS_SLOT);
}

QString Replace::patternProblem() const
{
    const QString syntax = ReplacePattern(ui->replaceFindContentEdit->text(),
        ui->replaceRegexCheck->isChecked(), ui->replaceCaseCheck->isChecked())
                               .error();
    return syntax.isEmpty() ? runProblem : syntax;
}

void Replace::onPropertyValueChanged(
    const QString &valueName, const QString &valueObj, const QVariant &value)
{
    Q_UNUSED(valueObj)
    if (valueName != nameSpace)
        return;
    runProblem = value.toString();
    showPatternProblem();
}

template<class Change> void Replace::writeSearch(Change change)
{
    // The list answers the publish at once if the new search fails on one of its names.
    runProblem.clear();
    write(change);
    showPatternProblem();
}

void Replace::showPatternProblem()
{
    const QString problem = patternProblem();
    ui->patternErrorLabel->setText(problem);
    ui->patternErrorLabel->setVisible(!problem.isEmpty());
    if (hadProblem != !problem.isEmpty()) {
        hadProblem = !problem.isEmpty();
        emit patternProblemChanged(hadProblem);
    }
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
    writeSearch([&text](RenameReplaceSetting &r) { r.replaceFindContent = text; });
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
