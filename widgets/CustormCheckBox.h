#pragma once

#include <QWidget>

namespace Ui {
class CustormCheckBox;
}

// A label and a switch. Checked() fires only on a user's click, never on setChecked().
class CustormCheckBox : public QWidget
{
    Q_OBJECT
public:
    explicit CustormCheckBox(QWidget *parent = nullptr);
    ~CustormCheckBox() override;

    bool isChecked() const;
    void setChecked(bool checked);
    void setText(const QString &text);

signals:
    void Checked(bool isChecked);

private:
    Ui::CustormCheckBox *ui;
};
