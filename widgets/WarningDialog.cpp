#include "widgets/WarningDialog.h"
#include "ui_WarningDialog.h"

WarningDialog::WarningDialog(QWidget *parent) : QDialog(parent), ui(new Ui::WarningDialog)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);
    // Messages often name a path; let the user copy it.
    ui->tipLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ui->tipList->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ui->tipList->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Frameless, but the task bar and window lists still name it.
    setWindowTitle(QStringLiteral("提示"));
}

WarningDialog::~WarningDialog()
{
    delete ui;
}

void WarningDialog::setTipText(const QString &text)
{
    ui->tipLabel->setText(text);
    count = 1;
}

void WarningDialog::addTipText(const QString &text)
{
    if (count == 0) {
        setTipText(text);
        return;
    }
    if (count == 1) {
        // From one message to a list: the first one moves into it.
        ui->tipLabel->hide();
        ui->tipList->show();
        ui->tipList->setPlainText(ui->tipLabel->text());
        resize(qMax(width(), 640), qMax(height(), 440));
    }
    ui->tipList->appendPlainText(text);
    ++count;
    ui->label->setText(QStringLiteral("提示（共%1条）").arg(count));
}

QString WarningDialog::tipText() const
{
    return ui->tipLabel->text();
}

void WarningDialog::on_okBtn_clicked()
{
    emit accepted();
    close();
}

void WarningDialog::on_closeBtn_clicked()
{
    emit accepted();
    close();
}
