#pragma once

#include <QWidget>

namespace Ui {
class Import;
}

// Editor of the import rule: reads the first column of a workbook on the thread pool and
// sends the names to the page's list.
class Import : public QWidget
{
    Q_OBJECT
public:
    explicit Import(QWidget *parent = nullptr);
    ~Import() override;

    // The page this editor serves: its names go to that page's list only.
    void setFolder(bool isFolder) { folder = isFolder; }
    // Shows the chosen workbook and starts reading it (what choosing a file in the dialog does).
    void loadWorkbook(const QString &path);
    // The workbook shown, empty when none is chosen.
    QString workbookPath() const;

protected:
    void customEvent(QEvent *event) override;

private slots:
    void on_importExcelBtn_clicked();
    void on_changeExcelBtn_clicked();
    void on_replaceExcelLabel_clicked();
    void on_deleteExcelBtn_clicked();
    void on_openDirBtn_clicked();

private:
    void chooseWorkbook();

    Ui::Import *ui;
    bool folder = false;
};
