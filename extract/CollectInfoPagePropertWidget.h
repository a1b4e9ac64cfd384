#pragma once

#include <QWidget>

namespace Ui {
class CollectInfoPagePropertWidget;
}

struct CollectSettings;

// Right side of an extraction page: which values go into the export, its name, format and
// folder, "重置设置" and "开始提取". Writes the page's CollectSettings and announces each
// change under its nameSpace.
class CollectInfoPagePropertWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CollectInfoPagePropertWidget(QWidget *parent = nullptr);
    ~CollectInfoPagePropertWidget() override;

    // Hands the panel the settings and nameSpace of its page kind; a folder page has no
    // extension option. The output folder becomes the desktop.
    void setFolder(bool isFolder);
    // "开始提取" is usable while the list holds entries.
    void setStartEnabled(bool enabled);

    QString nameSpace;
    CollectSettings *settings = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_setBtn_clicked();
    void on_exportName_textChanged(const QString &arg1);
    void on_exportTypeCombox_currentIndexChanged(int index);
    void on_replaceExcelLabel_clicked();
    void on_openDirBtn_clicked();
    void on_hasPathBtn_clicked(bool checked);
    void on_noPathBtn_clicked(bool checked);
    void on_hasBirthBtn_clicked(bool checked);
    void on_noBirthBtn_clicked(bool checked);
    void on_hasModifiedBtn_clicked(bool checked);
    void on_noModifiedBtn_clicked(bool checked);
    void on_hassuffix_clicked(bool checked);
    void on_nosuffix_clicked(bool checked);
    void on_resetBtn_clicked();
    void recordDefaults();

private:
    void announce();
    // Sets one flag of the settings when its button became checked.
    void setFlag(bool CollectSettings::*flag, bool value, bool checked);
    void chooseExportDir();
    // The path button shows the output folder, shortened in the middle to fit.
    void showExportDir();

    Ui::CollectInfoPagePropertWidget *ui;
    bool isFolder = false;
};
