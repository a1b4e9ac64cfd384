#pragma once

#include "rename/RenameRules.h"

#include <QWidget>

namespace Ui {
class Replace;
}

// Editor of the find-and-replace rule (with the swap around a separator).
class Replace : public QWidget
{
    Q_OBJECT
public:
    explicit Replace(QWidget *parent = nullptr);
    ~Replace() override;

    void setRenameSetting(RenameReplaceSetting *setting);
    RenameReplaceSetting *renameSetting() const { return setting; }
    void setValueName(const QString &nameSpace);
    QString valueName() const { return nameSpace; }
    void setSuffixVisible(bool visible);
    // Switches the extension settings off and publishes once.
    void prepare();
    void setPublishing(bool on) { publishing = on; }

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
    template<class Change> void update(Change change);
    void publish();

    Ui::Replace *ui;
    RenameReplaceSetting *setting = nullptr;
    QString nameSpace;
    bool publishing = true;
};
