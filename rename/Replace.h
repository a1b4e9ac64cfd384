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
    // Why the search cannot be used just now (shown under the fields), or empty.
    QString patternProblem() const;

public slots:
    // The list's answer after a recomputation: why the pattern failed on its names, or empty.
    void onPropertyValueChanged(
        const QString &valueName, const QString &valueObj, const QVariant &value);

signals:
    void patternProblemChanged(bool hasProblem);

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
    // Writes a field of the search and shows what is wrong with it afterwards.
    template<class Change> void writeSearch(Change change);
    void showPatternProblem();

    Ui::Replace *ui;
    QString runProblem; // reported by the list for the current search
    bool hadProblem = false;
};
