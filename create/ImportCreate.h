#pragma once

#include <QWidget>

namespace Ui {
class ImportCreate;
}

// The tab "导入创建": the names to create come from the first cell of each row of a workbook,
// read on the thread pool; the import record holds them and the creation list shows them.
class ImportCreate : public QWidget
{
    Q_OBJECT
public:
    explicit ImportCreate(QWidget *parent = nullptr);
    ~ImportCreate() override;

    // Shows the chosen workbook and starts reading it (what choosing a file in the dialog does).
    void loadWorkbook(const QString &path);
    // The workbook shown, empty when none is chosen.
    QString workbookPath() const;
    // The page's reset: the recorded defaults back on the form, the workbook forgotten,
    // without announcing (the panel resets the record and announces it afterwards).
    void resetToDefaults();

protected:
    void customEvent(QEvent *event) override;

private slots:
    void on_importExcelBtn_clicked();
    void on_openDirBtn_clicked();
    void on_changeExcelBtn_clicked();
    void on_openPathBtn_clicked();
    void on_exportTypeCombox_currentIndexChanged(int index);
    void on_replacePathLabel_clicked();
    void on_replaceExcelLabel_clicked();

private:
    void chooseWorkbook();
    void chooseTargetDir();
    void announce();

    Ui::ImportCreate *ui;
    bool resetting = false;
};
