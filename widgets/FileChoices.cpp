#include "widgets/FileChoices.h"

#include <QAbstractButton>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QVariant>

namespace {

const char *const kChosenPath = "chosenPath";
const char *const kChosenText = "chosenPathText"; // what showChosenPath last put on the button

void fitChosenPath(QAbstractButton *button)
{
    const QString shown = QDir::toNativeSeparators(button->property(kChosenPath).toString());
    button->ensurePolished(); // the stylesheet's font decides the width of the text
    // Room for the stylesheet's padding and border, and for the icon beside the text.
    int room = button->contentsRect().width() - 20;
    if (!button->icon().isNull())
        room -= button->iconSize().width() + 6;
    const QString elided = button->fontMetrics().elidedText(shown, Qt::ElideMiddle, room);
    // Too narrow for even an ellipsis (not laid out yet): the whole path, until it is.
    button->setText(elided.isEmpty() ? shown : elided);
    button->setProperty(kChosenText, button->text());
}

// Shortens the path again whenever the button's width changes.
class ChosenPathFitter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *button = static_cast<QAbstractButton *>(watched);
        if (event->type() == QEvent::Resize && !chosenPath(button).isEmpty())
            fitChosenPath(button);
        return false;
    }
};

QString &lastChoiceFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString dialogStartFolder(const QString &fallback)
{
    for (const QString &folder : {lastChoiceFolder(), fallback})
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    return QDir::homePath();
}

void rememberDialogChoice(const QString &path)
{
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    lastChoiceFolder() = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

QString chooseFolder(QWidget *parent, const QString &title)
{
    const QString folder = QFileDialog::getExistingDirectory(
        parent, title, dialogStartFolder(), QFileDialog::ShowDirsOnly);
    rememberDialogChoice(folder);
    return folder;
}

QString chooseWorkbookFile(QWidget *parent)
{
    const QString file = QFileDialog::getOpenFileName(parent,
        QStringLiteral("选择要导入名称的Excel文件"), dialogStartFolder(), QStringLiteral("*.xlsx"));
    rememberDialogChoice(file);
    return file;
}

void showChosenPath(QAbstractButton *button, const QString &path)
{
    button->setProperty(kChosenPath, path);
    button->setToolTip(QDir::toNativeSeparators(path));
    if (!button->findChild<ChosenPathFitter *>(QString(), Qt::FindDirectChildrenOnly)) {
        // The shortened text must not size the button: that would shorten it again and again.
        QSizePolicy policy = button->sizePolicy();
        policy.setHorizontalPolicy(QSizePolicy::Ignored);
        button->setSizePolicy(policy);
        button->installEventFilter(new ChosenPathFitter(button));
    }
    fitChosenPath(button);
}

QString chosenPath(const QAbstractButton *button)
{
    // A reset or a "remove" puts other text on the button; the choice goes with it.
    if (button->text().isEmpty() || button->text() != button->property(kChosenText).toString())
        return QString();
    return button->property(kChosenPath).toString();
}

void showChosenWorkbook(
    QAbstractButton *label, QWidget *chosenRow, QWidget *importButton, const QString &path)
{
    label->setIcon(QFileIconProvider().icon(QFileInfo(path)));
    showChosenPath(label, path);
    chosenRow->show();
    importButton->hide();
}
