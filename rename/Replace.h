#pragma once

#include "rename/RenameRules.h"
#include "rename/RuleEditor.h"

#include <QWidget>

namespace Ui {
class Replace;
}

// Editor of the find-and-replace rule (with the swap around a separator).
class Replace : public QWidget, public RuleEditor<RenameReplaceSetting>
{
    Q_OBJECT
public:
    explicit Replace(QWidget *parent = nullptr);
    ~Replace() override;

    void setValueName(const QString &nameSpace);
    void setSuffixVisible(bool visible);
    // Switches the extension settings off and publishes once.
    void prepare();

private slots:
    void on_replaceFindContentEdit_textChanged(const QString &text);
    void on_replaceReplaceContentEdit_textChanged(const QString &text);
    void on_CaseSensitivityComboBox_currentIndexChanged(int index);
    void on_simplifiedTraditionalComboBox_currentIndexChanged(int index);
    void on_ChineseToPinyingComboBox_currentIndexChanged(int index);
    void on_splitEdit_textChanged(const QString &text);
    void on_custormTypeBtn_clicked(bool checked);
    void on_replaceBtn_clicked(bool checked);
    void on_newSuffixEdit_textChanged(const QString &text);
    void on_findContentEdit_textChanged(const QString &text);
    void on_replaceContentEdit_textChanged(const QString &text);

private:
    Ui::Replace *ui;
};
