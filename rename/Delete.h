#pragma once

#include "rename/RenameRules.h"
#include "rename/RuleEditor.h"

#include <QWidget>

namespace Ui {
class Delete;
}

// Editor of the delete rule: given content, or a run of characters at a position.
class Delete : public QWidget, public RuleEditor<RenameDeleteSetting>
{
    Q_OBJECT
public:
    explicit Delete(QWidget *parent = nullptr);
    ~Delete() override;

    void setValueName(const QString &nameSpace);
    void setSuffixVisible(bool visible);

private slots:
    void on_assignContentBtn_clicked(bool checked);
    void on_assignPosBtn_clicked(bool checked);
    void on_textEdit_textChanged();
    void on_deletePosComboBox_currentIndexChanged(int index);
    void on_deletePosSpinBox_valueChanged(int value);
    void on_deleteCountSpinBox_valueChanged(int value);
    void on_CaseSensitivityComboBox_currentIndexChanged(int index);
    void on_simplifiedTraditionalComboBox_currentIndexChanged(int index);
    void on_ChineseToPinyingComboBox_currentIndexChanged(int index);
    void on_custormTypeBtn_clicked(bool checked);
    void on_replaceBtn_clicked(bool checked);
    void on_newSuffixEdit_textChanged(const QString &text);
    void on_findContentEdit_textChanged(const QString &text);
    void on_replaceContentEdit_textChanged(const QString &text);

private:
    Ui::Delete *ui;
};
