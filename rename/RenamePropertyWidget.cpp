#include "rename/RenamePropertyWidget.h"
#include "ui_RenamePropertyWidget.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "rename/CustormRename.h"
#include "rename/Delete.h"
#include "rename/Import.h"
#include "rename/RenameRules.h"
#include "rename/Replace.h"
#include "widgets/ResetDefaults.h"

#include <QTimer>

#include <type_traits>

namespace {

// Restores an editor's widgets quietly and its record to the defaults. An editor whose record
// held anything else then publishes once, so the list ends with the preview of the last such
// rule.
template<class Editor> void resetEditor(Editor *editor)
{
    auto *record = editor->renameSetting();
    const bool changed = record && !RenameRules::isDefault(*record);
    editor->setPublishing(false);
    restoreDefaults(editor);
    editor->setPublishing(true);
    if (record)
        *record = std::remove_pointer_t<decltype(record)>();
    if (changed)
        CNvGlobalObserver::instance()->notifyObservers(
            editor->valueName(), QString::fromLatin1(Topic::RenameValueUpdate), QVariant());
}

} // namespace

RenamePropertyWidget::RenamePropertyWidget(QWidget *parent)
    : QWidget(parent), ui(new Ui::RenamePropertyWidget)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground); // the panel surface comes from the stylesheet
    ui->insertPage->setInsertPosVisible(true);
    ui->custormPage->setInsertPosVisible(false);
    ui->insertPage->setHeaderText(QStringLiteral("插入设置"));
    ui->custormPage->setHeaderText(QStringLiteral("文件名设置"));
    ui->stackedWidget->setCurrentWidget(ui->custormPage);
    connect(ui->editButtonGroup, &QButtonGroup::idToggled, this, &RenamePropertyWidget::switchTab);
    connect(
        ui->replacePage, &Replace::patternProblemChanged, this, &RenamePropertyWidget::updateStart);
    // Recorded now as well, so that a reset in the first second has defaults to go back to.
    recordDefaults();
    QTimer::singleShot(1000, this, &RenamePropertyWidget::recordDefaults);
}

RenamePropertyWidget::~RenamePropertyWidget()
{
    delete ui;
}

CustormRename *RenamePropertyWidget::customEditor() const
{
    return ui->custormPage;
}
CustormRename *RenamePropertyWidget::insertEditor() const
{
    return ui->insertPage;
}
Replace *RenamePropertyWidget::replaceEditor() const
{
    return ui->replacePage;
}
Delete *RenamePropertyWidget::deleteEditor() const
{
    return ui->deletePage;
}
Import *RenamePropertyWidget::importEditor() const
{
    return ui->importPage;
}

void RenamePropertyWidget::setFolder(bool folder)
{
    isFolder = folder;
    if (folder) {
        ui->insertPage->setRenameSetting(RenameRules::folderInsert());
        ui->insertPage->setValueName(QString::fromLatin1(Topic::FolderInsertRename));
        ui->custormPage->setRenameSetting(RenameRules::folderCustom());
        ui->custormPage->setValueName(QString::fromLatin1(Topic::FolderCustomRename));
        ui->replacePage->setRenameSetting(RenameRules::folderReplace());
        ui->replacePage->setValueName(QString::fromLatin1(Topic::FolderReplaceRename));
        ui->deletePage->setRenameSetting(RenameRules::folderDelete());
        ui->deletePage->setValueName(QString::fromLatin1(Topic::FolderDeleteRename));
    } else {
        ui->insertPage->setRenameSetting(RenameRules::fileInsert());
        ui->insertPage->setValueName(QString::fromLatin1(Topic::FileInsertRename));
        ui->custormPage->setRenameSetting(RenameRules::fileCustom());
        ui->custormPage->setValueName(QString::fromLatin1(Topic::FileCustomRename));
        ui->replacePage->setRenameSetting(RenameRules::fileReplace());
        ui->replacePage->setValueName(QString::fromLatin1(Topic::FileReplaceRename));
        ui->deletePage->setRenameSetting(RenameRules::fileDelete());
        ui->deletePage->setValueName(QString::fromLatin1(Topic::FileDeleteRename));
    }
    ui->importPage->setFolder(folder);

    ui->custormPage->prepare();
    ui->insertPage->prepare();
    ui->replacePage->prepare();

    ui->custormPage->setSuffixVisible(!folder);
    ui->insertPage->setSuffixVisible(!folder);
    ui->replacePage->setSuffixVisible(!folder);
    ui->deletePage->setSuffixVisible(!folder);
}

void RenamePropertyWidget::setStartEnabled(bool enabled)
{
    hasEntries = enabled;
    updateStart();
}

void RenamePropertyWidget::updateStart()
{
    ui->setBtn->setEnabled(hasEntries && ui->replacePage->patternProblem().isEmpty());
}

void RenamePropertyWidget::recordDefaults()
{
    for (QWidget *editor : {static_cast<QWidget *>(ui->custormPage),
             static_cast<QWidget *>(ui->insertPage), static_cast<QWidget *>(ui->replacePage),
             static_cast<QWidget *>(ui->deletePage), static_cast<QWidget *>(ui->importPage)})
        captureDefaults(editor);
}

void RenamePropertyWidget::switchTab(int id, bool checked)
{
    if (!checked)
        return;
    QAbstractButton *button = ui->editButtonGroup->button(id);
    if (!button)
        return;
    QString pageName = button->objectName();
    pageName.remove(QStringLiteral("Btn"));
    pageName.append(QStringLiteral("Page"));
    // Only the stack's own pages: the editors hold pages of the same names inside them.
    for (int i = 0; i < ui->stackedWidget->count(); ++i) {
        if (ui->stackedWidget->widget(i)->objectName() == pageName) {
            ui->stackedWidget->setCurrentIndex(i);
            return;
        }
    }
}

void RenamePropertyWidget::on_setBtn_clicked()
{
    RenamePageMessage::publish(isFolder, QString::fromLatin1(Topic::StartChangeName));

    // Random names are drawn anew for the next run.
    QWidget *current = ui->stackedWidget->currentWidget();
    const QString valueName = current->property("ValueName").toString();
    auto *editor = qobject_cast<CustormRename *>(current);
    if (!valueName.isEmpty() && editor && editor->renameSetting()
        && editor->renameSetting()->numberType == 2)
        CNvGlobalObserver::instance()->notifyObservers(
            valueName, QString::fromLatin1(Topic::RenameValueUpdate), QVariant());
}

void RenamePropertyWidget::on_resetBtn_clicked()
{
    resetEditor(ui->custormPage);
    resetEditor(ui->insertPage);
    resetEditor(ui->replacePage);
    resetEditor(ui->deletePage);
    restoreDefaults(ui->importPage);
}
