#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QVariant>

namespace Ui {
class MainWindow;
}
namespace QWK {
class WidgetWindowAgent;
}
class QAbstractButton;
class WarningDialog;

// The one top-level window: title bar, seven page buttons, seven pages, and the notices that
// the lists publish on the bus.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Where a window of this size sits centred in the available area of a screen.
    static QPoint centredPosition(const QRect &available, const QSize &windowSize);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_settingBtn_clicked();
    void on_onlineHelp_clicked();
    void onPropertyValueChanged(
        const QString &valueName, const QString &valueObj, const QVariant &value);

private:
    void switchPage(int id, bool checked);
    void showWarning(const QString &text);
    static void clearHoverState(QAbstractButton *button);

    Ui::MainWindow *ui;
    QWK::WidgetWindowAgent *windowAgent = nullptr;
    // The message box now open; later messages join it.
    QPointer<WarningDialog> openWarning;
};
