#pragma once

#include <QWidget>

namespace Ui {
class CustormCreate;
}

// The tab "自定义创建": a count, a base name and a numbering rule make the names that the
// custom record holds; every change announces the record to the creation list.
class CustormCreate : public QWidget
{
    Q_OBJECT
public:
    explicit CustormCreate(QWidget *parent = nullptr);
    ~CustormCreate() override;

    // The page's reset: the recorded defaults back on the form and in the members, without
    // announcing (the panel resets the record and announces it afterwards).
    void resetToDefaults();

private slots:
    void on_firstBtn_clicked(bool checked);
    void on_lastBtn_clicked(bool checked);
    void on_custormPosBtn_clicked(bool checked);
    void on_numbderBtn_clicked(bool checked);
    void on_charBtn_clicked(bool checked);
    void on_randomBtn_clicked(bool checked);
    void on_timeBtn_clicked(bool checked);
    void on_numberBehindCountSpinBox_valueChanged(int arg1);
    void on_startCharSpinBox_valueChanged(int arg1);
    void on_incrementCharSpinBox_valueChanged(int arg1);
    void on_startNumberSpinBox_valueChanged(int arg1);
    void on_incrementNumberSpinBox_valueChanged(int arg1);
    void on_numberCountSpinBox_valueChanged(int arg1);
    void on_createCountSpinBox_valueChanged(int arg1);
    void on_createNamelineEdit_textChanged(const QString &arg1);
    void on_exportTypeCombox_currentIndexChanged(int index);
    void on_replacePathLabel_clicked();
    void on_openPathBtn_clicked();
    void on_exportTypeCombox_activated(int index);
    void on_charCountSpinBox_valueChanged(int arg1);
    void on_randomRuleComboBox_currentIndexChanged(int index);
    void onTimeStyleChanged(int index);
    void onAutoResolveChecked(bool checked);

private:
    void generate();
    void announce();
    void chooseTargetDir();
    void showNumberType(int type);

    Ui::CustormCreate *ui;
    bool resetting = false;

    int numberPos = 0;
    int numberBehindCount = 0;
    int numberType = 0;
    int startNumber = 0;
    int incrementNumber = 0;
    int numberCount = 1;
    int randomRule = 0;
    int charCount = 1;
    int timeStyle = 0;
    int startChar = 1;
    int incrementChar = 1;
};
