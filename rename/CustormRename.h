#pragma once

#include "rename/RenameRules.h"
#include "rename/RuleEditor.h"

#include <QWidget>

namespace Ui {
class CustormRename;
}

// Editor of the custom rule and of the insert rule: each change writes one field of its
// record and publishes its nameSpace, and the page's list recomputes the preview.
class CustormRename : public QWidget, public RuleEditor<RenameCustomSetting>
{
    Q_OBJECT
public:
    explicit CustormRename(QWidget *parent = nullptr);
    ~CustormRename() override;

    // Stores the nameSpace and mirrors it in the "ValueName" property.
    void setValueName(const QString &nameSpace);

    void setInsertPosVisible(bool visible);
    void setHeaderText(const QString &text);
    void setSuffixVisible(bool visible);
    // Puts the option buttons and switches in their start state without publishing.
    void prepare();

private slots:
    void on_fileNameEdit_textChanged();
    void on_insertFirstBtn_clicked(bool checked);
    void on_insertLastBtn_clicked(bool checked);
    void on_insertCustormPosBtn_clicked(bool checked);
    void on_insertNumberBehindCountSpinBox_valueChanged(int value);
    void on_CaseSensitivityComboBox_currentIndexChanged(int index);
    void on_simplifiedTraditionalComboBox_activated(int index);
    void on_ChineseToPinyingComboBox_currentIndexChanged(int index);
    void on_firstBtn_clicked(bool checked);
    void on_lastBtn_clicked(bool checked);
    void on_custormPosBtn_clicked(bool checked);
    void on_numberBehindCountSpinBox_valueChanged(int value);
    void on_numbderBtn_clicked(bool checked);
    void on_charBtn_clicked(bool checked);
    void on_randomBtn_clicked(bool checked);
    void on_timeBtn_clicked(bool checked);
    void on_startNumberSpinBox_valueChanged(int value);
    void on_incrementNumberSpinBox_valueChanged(int value);
    void on_numberCountSpinBox_valueChanged(int value);
    void on_randomRuleComboBox_currentIndexChanged(int index);
    void on_charCountSpinBox_valueChanged(int value);
    void on_timeTypeComboBox_currentIndexChanged(int index);
    void on_timeStyleComboBox_currentIndexChanged(int index);
    void on_startCharSpinBox_valueChanged(int value);
    void on_incrementCharSpinBox_valueChanged(int value);
    void on_custormTypeBtn_clicked(bool checked);
    void on_replaceBtn_clicked(bool checked);
    void on_newSuffixEdit_textChanged(const QString &text);
    void on_findContentEdit_textChanged(const QString &text);
    void on_replaceContentEdit_textChanged(const QString &text);

private:
    void setNumberType(int type);
    void setDefaultVisibleState();

    Ui::CustormRename *ui;
};
