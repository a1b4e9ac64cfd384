#include "widgets/AppStyle.h"
#include "widgets/CustormCheckBox.h"
#include "widgets/GrayLayerWidget.h"
#include "widgets/HelpPages.h"
#include "widgets/ResetDefaults.h"
#include "widgets/SettingMenu.h"
#include "widgets/StyledButtons.h"
#include "widgets/StyledInputs.h"
#include "widgets/TipDialog.h"
#include "widgets/WarningDialog.h"
#include "widgets/WindowButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDesktopServices>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// One widget of each kind that the reset mechanism knows, read and written uniformly.
QWidget *makeWidget(const QString &kind, QWidget *parent)
{
    if (kind == "QLineEdit")
        return new QLineEdit(parent);
    if (kind == "QTextEdit")
        return new QTextEdit(parent);
    if (kind == "CustormCombox") {
        auto *c = new CustormCombox(parent);
        c->addItems({"a", "b", "c", "d"});
        return c;
    }
    if (kind == "CustormSpinBox") {
        auto *s = new CustormSpinBox(parent);
        s->setRange(0, 9999);
        return s;
    }
    if (kind == "CustormCheckBox")
        return new CustormCheckBox(parent);
    if (kind == "BluePushBtn") {
        auto *b = new BluePushBtn(parent);
        b->setCheckable(true);
        return b;
    }
    if (kind == "GrayLayerWidget")
        return new GrayLayerWidget(parent);
    if (kind == "QStackedWidget") {
        auto *s = new QStackedWidget(parent);
        for (int i = 0; i < 3; ++i)
            s->addWidget(new QWidget(s));
        return s;
    }
    if (kind == "QToolButton")
        return new QToolButton(parent);
    if (kind == "QPushButton")
        return new QPushButton(parent);
    if (kind == "QLabel")
        return new QLabel(parent);
    if (kind == "QSpinBox") {
        auto *s = new QSpinBox(parent);
        s->setRange(0, 9999);
        return s;
    }
    if (kind == "QDoubleSpinBox")
        return new QDoubleSpinBox(parent);
    if (kind == "QComboBox" || kind == "editable QComboBox") {
        auto *c = new QComboBox(parent);
        c->addItems({"a", "b", "c", "d"});
        c->setEditable(kind.startsWith("editable"));
        return c;
    }
    if (kind == "QCheckBox")
        return new QCheckBox(parent);
    if (kind == "checkable QToolButton") {
        auto *b = new QToolButton(parent);
        b->setCheckable(true);
        return b;
    }
    if (kind == "QPlainTextEdit")
        return new QPlainTextEdit(parent);
    if (kind == "QSlider")
        return new QSlider(parent);
    return nullptr;
}

QVariant readValue(QWidget *w)
{
    if (auto *e = qobject_cast<QTextEdit *>(w))
        return e->toPlainText();
    if (auto *e = qobject_cast<QPlainTextEdit *>(w))
        return e->toPlainText();
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->isEditable() ? QVariant(c->currentText()) : QVariant(c->currentIndex());
    if (auto *c = qobject_cast<CustormCheckBox *>(w))
        return c->isChecked();
    if (auto *b = qobject_cast<BluePushBtn *>(w))
        return b->isChecked();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *s = qobject_cast<QSpinBox *>(w))
        return s->value();
    if (auto *s = qobject_cast<QDoubleSpinBox *>(w))
        return s->value();
    if (auto *s = qobject_cast<QSlider *>(w))
        return s->value();
    if (auto *g = qobject_cast<GrayLayerWidget *>(w))
        return g->isEnabled();
    if (auto *s = qobject_cast<QStackedWidget *>(w))
        return s->currentIndex();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *b = qobject_cast<QCheckBox *>(w))
        return b->isChecked();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->isCheckable() ? QVariant(QVariantList {b->isChecked(), b->text()})
                                : QVariant(b->text());
    return QVariant();
}

void writeValue(QWidget *w, const QVariant &v)
{
    if (auto *e = qobject_cast<QTextEdit *>(w))
        e->setPlainText(v.toString());
    else if (auto *e = qobject_cast<QPlainTextEdit *>(w))
        e->setPlainText(v.toString());
    else if (auto *c = qobject_cast<QComboBox *>(w); c && c->isEditable())
        c->setEditText(v.toString());
    else if (auto *c = qobject_cast<QComboBox *>(w))
        c->setCurrentIndex(v.toInt());
    else if (auto *c = qobject_cast<CustormCheckBox *>(w))
        c->setChecked(v.toBool());
    else if (auto *b = qobject_cast<BluePushBtn *>(w))
        b->setChecked(v.toBool());
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(v.toString());
    else if (auto *s = qobject_cast<QSpinBox *>(w))
        s->setValue(v.toInt());
    else if (auto *s = qobject_cast<QDoubleSpinBox *>(w))
        s->setValue(v.toDouble());
    else if (auto *s = qobject_cast<QSlider *>(w))
        s->setValue(v.toInt());
    else if (auto *g = qobject_cast<GrayLayerWidget *>(w))
        g->setEnabled(v.toBool());
    else if (auto *s = qobject_cast<QStackedWidget *>(w))
        s->setCurrentIndex(v.toInt());
    else if (auto *l = qobject_cast<QLabel *>(w))
        l->setText(v.toString());
    else if (auto *b = qobject_cast<QCheckBox *>(w))
        b->setChecked(v.toBool());
    else if (auto *b = qobject_cast<QAbstractButton *>(w); b && b->isCheckable())
        b->setChecked(v.toList().value(0).toBool()), b->setText(v.toList().value(1).toString());
    else if (auto *b = qobject_cast<QAbstractButton *>(w))
        b->setText(v.toString());
}

QIcon solidIcon(const QColor &color)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// Stands in for the browser: records what would have been opened.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace

class TestWidgets : public QObject
{
    Q_OBJECT

private slots:
    void resetRestoresEachKind_data();
    void resetRestoresEachKind();
    void resetSkipsListedClasses_data();
    void resetSkipsListedClasses();
    void resetWithoutCapturedValueClears_data();
    void resetWithoutCapturedValueClears();
    void resetGivesDateTimeEditorsTheMomentOfTheReset();
    void resetRestoresVisibility_data();
    void resetRestoresVisibility();
    void resetFiresProgramChangeSignalsOnly();
    void resetWalksNestedPanels();

    void wheelLeavesValueAndPanelAlone_data();
    void wheelLeavesValueAndPanelAlone();
    void checkBoxSignalsOnlyOnClick();
    void grayLayerPaintsGreyOnlyWhileDisabled();

    void windowButtonIconChoice_data();
    void windowButtonIconChoice();
    void windowButtonFollowsCheckState();
    void windowButtonIconsFromStyleSheet();
    void windowButtonDoubleClick();

    void setIconPathSetsIconSizeAndStyle();
    void typePropertiesForTheStyleSheet();
    void warningDialogClosesAndDeletesItself_data();
    void warningDialogClosesAndDeletesItself();
    void tipDialogAnswers_data();
    void tipDialogAnswers();
    void styleSheetIsReadUpToTheFirstZeroByte();
    void styleSheetResourceIsAsciiAndCoversTheShell();
    void helpPageShipsInTheRuntimeFolder();
    void settingMenuOpensTheLocalHelpPages_data();
    void settingMenuOpensTheLocalHelpPages();
    void missingHelpPageIsTold_data();
    void missingHelpPageIsTold();
};

void TestWidgets::resetRestoresEachKind_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("initial");
    QTest::addColumn<QVariant>("edited");

    QTest::newRow("line edit/text") << "QLineEdit" << QVariant("名称") << QVariant("other");
    QTest::newRow("line edit/empty default") << "QLineEdit" << QVariant("") << QVariant("x");
    QTest::newRow("text edit/plain text") << "QTextEdit" << QVariant("a\nb") << QVariant("c");
    QTest::newRow("combo/index") << "CustormCombox" << QVariant(2) << QVariant(0);
    QTest::newRow("spin/value") << "CustormSpinBox" << QVariant(7) << QVariant(123);
    QTest::newRow("switch/on") << "CustormCheckBox" << QVariant(true) << QVariant(false);
    QTest::newRow("switch/off") << "CustormCheckBox" << QVariant(false) << QVariant(true);
    QTest::newRow("option button/checked") << "BluePushBtn" << QVariant(true) << QVariant(false);
    QTest::newRow("gray layer/enabled") << "GrayLayerWidget" << QVariant(true) << QVariant(false);
    QTest::newRow("gray layer/disabled") << "GrayLayerWidget" << QVariant(false) << QVariant(true);
    QTest::newRow("stack/page") << "QStackedWidget" << QVariant(1) << QVariant(2);
    QTest::newRow("tool button/text") << "QToolButton" << QVariant("添加") << QVariant("x");
    QTest::newRow("push button/text") << "QPushButton" << QVariant("开始") << QVariant("y");
    // the plain Qt classes a panel may use besides the styled ones
    QTest::newRow("plain spin/value") << "QSpinBox" << QVariant(7) << QVariant(1);
    QTest::newRow("double spin/value") << "QDoubleSpinBox" << QVariant(2.5) << QVariant(7.25);
    QTest::newRow("plain combo/index") << "QComboBox" << QVariant(2) << QVariant(0);
    QTest::newRow("editable combo/typed text")
        << "editable QComboBox" << QVariant("b") << QVariant("typed");
    QTest::newRow("check box/checked") << "QCheckBox" << QVariant(true) << QVariant(false);
    QTest::newRow("check box/unchecked") << "QCheckBox" << QVariant(false) << QVariant(true);
    QTest::newRow("checkable tool button/checked and text")
        << "checkable QToolButton" << QVariant(QVariantList {true, "甲"})
        << QVariant(QVariantList {false, "乙"});
    QTest::newRow("plain text edit/text") << "QPlainTextEdit" << QVariant("p\nq") << QVariant("");
    QTest::newRow("slider/value") << "QSlider" << QVariant(30) << QVariant(70);
}

void TestWidgets::resetRestoresEachKind()
{
    QFETCH(QString, kind);
    QFETCH(QVariant, initial);
    QFETCH(QVariant, edited);

    QWidget panel;
    QWidget *w = makeWidget(kind, &panel);
    QVERIFY(w);
    writeValue(w, initial);
    captureDefaults(&panel, {});
    writeValue(w, edited);
    QCOMPARE(readValue(w), edited);

    restoreDefaults(&panel, {});
    QCOMPARE(readValue(w), initial);
}

void TestWidgets::resetSkipsListedClasses_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("initial");
    QTest::addColumn<QVariant>("edited");

    QTest::newRow("line edit") << "QLineEdit" << QVariant("a") << QVariant("b");
    QTest::newRow("spin") << "CustormSpinBox" << QVariant(1) << QVariant(2);
    QTest::newRow("switch") << "CustormCheckBox" << QVariant(false) << QVariant(true);
    QTest::newRow("stack") << "QStackedWidget" << QVariant(0) << QVariant(2);
}

void TestWidgets::resetSkipsListedClasses()
{
    QFETCH(QString, kind);
    QFETCH(QVariant, initial);
    QFETCH(QVariant, edited);

    QWidget panel;
    QWidget *skipped = makeWidget(kind, &panel);
    QWidget *other = makeWidget("QLineEdit", &panel);
    writeValue(skipped, initial);
    other->setProperty("marker", true);
    static_cast<QLineEdit *>(other)->setText("kept");
    if (kind == "QLineEdit") // the companion must differ in class to show the skip is by class
        other = makeWidget("QPushButton", &panel),
        static_cast<QPushButton *>(other)->setText("kept");

    captureDefaults(&panel, {kind});
    writeValue(skipped, edited);
    writeValue(other, "changed");
    restoreDefaults(&panel, {kind});

    QCOMPARE(readValue(skipped), edited);
    QCOMPARE(readValue(other).toString(), QString("kept"));
    // A skipped widget was not captured either.
    QVERIFY(!skipped->property("DefaultValue").isValid());
}

void TestWidgets::resetWithoutCapturedValueClears_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("edited");
    QTest::addColumn<QVariant>("cleared");

    QTest::newRow("line edit/empty text") << "QLineEdit" << QVariant("x") << QVariant("");
    QTest::newRow("combo/index 0") << "CustormCombox" << QVariant(3) << QVariant(0);
    QTest::newRow("spin/value 0") << "CustormSpinBox" << QVariant(5) << QVariant(0);
    QTest::newRow("switch/unchecked") << "CustormCheckBox" << QVariant(true) << QVariant(false);
    QTest::newRow("gray layer/disabled") << "GrayLayerWidget" << QVariant(true) << QVariant(false);
    QTest::newRow("label/untouched") << "QLabel" << QVariant("标签") << QVariant("标签");
}

void TestWidgets::resetWithoutCapturedValueClears()
{
    QFETCH(QString, kind);
    QFETCH(QVariant, edited);
    QFETCH(QVariant, cleared);

    QWidget panel;
    captureDefaults(&panel, {});
    QWidget *late = makeWidget(kind, &panel); // created after the capture
    writeValue(late, edited);
    restoreDefaults(&panel, {});
    QCOMPARE(readValue(late), cleared);
}

void TestWidgets::resetGivesDateTimeEditorsTheMomentOfTheReset()
{
    QWidget panel;
    auto *layout = new QVBoxLayout(&panel);
    auto *edit = new QDateTimeEdit(&panel);
    edit->setDisplayFormat("yyyy-MM-dd hh:mm:ss");
    auto *popupEdit = new QDateTimeEdit(&panel);
    popupEdit->setCalendarPopup(true);
    popupEdit->setDisplayFormat("yyyy-MM-dd hh:mm:ss");
    layout->addWidget(edit);
    layout->addWidget(popupEdit);
    const QDateTime captured(QDate(2001, 2, 3), QTime(4, 5, 6));
    edit->setDateTime(captured);
    popupEdit->setDateTime(captured);
    captureDefaults(&panel, {});
    edit->setDateTime(QDateTime(QDate(2010, 1, 1), QTime(0, 0)));

    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    restoreDefaults(&panel, {});
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);

    for (QDateTimeEdit *e : {edit, popupEdit}) {
        QVERIFY2(e->dateTime() >= before && e->dateTime() <= after,
            qPrintable(e->dateTime().toString(Qt::ISODate)));
    }
}

void TestWidgets::resetRestoresVisibility_data()
{
    QTest::addColumn<bool>("defaultVisible");
    QTest::addColumn<bool>("edited");
    QTest::newRow("hidden by default/shown") << false << true;
    QTest::newRow("shown by default/hidden") << true << false;
}

void TestWidgets::resetRestoresVisibility()
{
    QFETCH(bool, defaultVisible);
    QFETCH(bool, edited);

    QWidget panel;
    auto *marked = new QLineEdit(&panel);
    auto *unmarked = new QLineEdit(&panel);
    setDefaultVisible(marked, defaultVisible);
    panel.show();
    captureDefaults(&panel, {});
    marked->setVisible(edited);
    unmarked->setVisible(false);
    restoreDefaults(&panel, {});
    QCOMPARE(marked->isVisible(), defaultVisible);
    QVERIFY(!unmarked->isVisible()); // without "DefaultVisibel" visibility is not touched
}

void TestWidgets::resetFiresProgramChangeSignalsOnly()
{
    QWidget panel;
    auto *spin = new CustormSpinBox(&panel);
    spin->setRange(0, 100);
    auto *check = new CustormCheckBox(&panel);
    auto *option = new BluePushBtn(&panel);
    option->setCheckable(true);
    spin->setValue(10);
    captureDefaults(&panel, {});
    spin->setValue(20);
    check->setChecked(true);
    option->setChecked(true);

    QSignalSpy spinChanged(spin, qOverload<int>(&QSpinBox::valueChanged));
    QSignalSpy checkChecked(check, &CustormCheckBox::Checked);
    QSignalSpy optionToggled(option, &QAbstractButton::toggled);
    QSignalSpy optionClicked(option, &QAbstractButton::clicked);
    restoreDefaults(&panel, {});

    QCOMPARE(spinChanged.count(), 1);
    QCOMPARE(spinChanged.at(0).at(0).toInt(), 10);
    QCOMPARE(checkChecked.count(), 0);
    QCOMPARE(optionToggled.count(), 1);
    QCOMPARE(optionClicked.count(), 0);
    QVERIFY(!check->isChecked());
}

void TestWidgets::resetWalksNestedPanels()
{
    QWidget panel;
    auto *stack = new QStackedWidget(&panel);
    auto *page0 = new QWidget;
    auto *page1 = new GrayLayerWidget;
    stack->addWidget(page0);
    stack->addWidget(page1);
    auto *deep = new QLineEdit(page1);
    auto *label = new QLabel("说明", page1);
    deep->setText("deep");
    captureDefaults(&panel, {});
    stack->setCurrentIndex(1);
    page1->setEnabled(false);
    deep->setText("changed");
    label->setText("changed by the panel");
    restoreDefaults(&panel, {});
    QCOMPARE(stack->currentIndex(), 0);
    QVERIFY(page1->isEnabled());
    QCOMPARE(deep->text(), QString("deep"));
    QCOMPARE(label->text(), QString("changed by the panel"));
    QVERIFY(!label->property("DefaultValue").isValid());
}

void TestWidgets::wheelLeavesValueAndPanelAlone_data()
{
    QTest::addColumn<bool>("combo");
    QTest::newRow("spin box") << false;
    QTest::newRow("combo box") << true;
}

void TestWidgets::wheelLeavesValueAndPanelAlone()
{
    QFETCH(bool, combo);

    QScrollArea area;
    area.resize(200, 150);
    auto *content = new QWidget;
    content->setMinimumSize(180, 2000);
    QWidget *target;
    if (combo) {
        auto *c = new CustormCombox(content);
        c->addItems({"a", "b", "c"});
        c->setCurrentIndex(1);
        target = c;
    } else {
        auto *s = new CustormSpinBox(content);
        s->setRange(0, 100);
        s->setValue(50);
        target = s;
    }
    target->setGeometry(10, 10, 150, 30);
    area.setWidget(content);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    const QVariant before = combo ? QVariant(static_cast<QComboBox *>(target)->currentIndex())
                                  : QVariant(static_cast<QSpinBox *>(target)->value());

    for (int delta : {120, -120, -360}) {
        const QPointF local(20, 15);
        QWheelEvent event(local, target->mapToGlobal(local.toPoint()), QPoint(), QPoint(0, delta),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }
    const QVariant after = combo ? QVariant(static_cast<QComboBox *>(target)->currentIndex())
                                 : QVariant(static_cast<QSpinBox *>(target)->value());
    QCOMPARE(after, before);
    QCOMPARE(area.verticalScrollBar()->value(), 0);
}

void TestWidgets::checkBoxSignalsOnlyOnClick()
{
    CustormCheckBox box;
    box.show();
    QSignalSpy spy(&box, &CustormCheckBox::Checked);
    box.setChecked(true);
    QVERIFY(box.isChecked());
    QCOMPARE(spy.count(), 0);

    auto *inner = box.findChild<QCheckBox *>("checkBox");
    QVERIFY(inner);
    QVERIFY(inner->text().isEmpty());
    inner->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), false);
    QVERIFY(!box.isChecked());
    inner->click();
    QCOMPARE(spy.at(1).at(0).toBool(), true);

    box.setText("开关");
    QCOMPARE(box.findChild<QLabel *>("label")->text(), QString("开关"));
}

void TestWidgets::grayLayerPaintsGreyOnlyWhileDisabled()
{
    GrayLayerWidget layer;
    layer.resize(60, 40);
    auto *child = new QWidget(&layer);
    child->setGeometry(20, 10, 20, 20);
    child->setAutoFillBackground(true);
    QPalette palette = child->palette();
    palette.setColor(QPalette::Window, Qt::blue);
    child->setPalette(palette);

    auto render = [&layer] {
        QImage image(layer.size(), QImage::Format_RGB32);
        image.fill(Qt::red);
        layer.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    };

    QImage enabled = render();
    QCOMPARE(QColor(enabled.pixel(0, 0)), QColor(Qt::red));
    QCOMPARE(QColor(enabled.pixel(59, 39)), QColor(Qt::red));

    layer.setEnabled(false);
    QImage disabled = render();
    for (QPoint p : {QPoint(0, 0), QPoint(59, 0), QPoint(0, 39), QPoint(59, 39), QPoint(10, 20)})
        QCOMPARE(QColor(disabled.pixel(p)), QColor(80, 80, 80));
    // The children paint over the grey layer.
    QCOMPARE(QColor(disabled.pixel(30, 20)), QColor(Qt::blue));
}

void TestWidgets::windowButtonIconChoice_data()
{
    QTest::addColumn<bool>("hasNormal");
    QTest::addColumn<bool>("hasChecked");
    QTest::addColumn<bool>("hasDisabled");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("expected"); // previous, normal, checked or disabled

    QTest::newRow("normal only/unchecked") << true << false << false << false << true << "normal";
    QTest::newRow("normal only/checked") << true << false << false << true << true << "normal";
    QTest::newRow("both/checked") << true << true << false << true << true << "checked";
    QTest::newRow("both/unchecked") << true << true << false << false << true << "normal";
    QTest::newRow("none/checked keeps icon")
        << false << false << false << true << true << "previous";
    QTest::newRow("checked only/unchecked keeps icon")
        << false << true << false << false << true << "previous";
    QTest::newRow("all/disabled") << true << true << true << true << false << "disabled";
    QTest::newRow("all/enabled checked") << true << true << true << true << true << "checked";
    QTest::newRow("no disabled icon/disabled unchecked")
        << true << true << false << false << false << "normal";
    QTest::newRow("no disabled icon/disabled checked")
        << true << true << false << true << false << "checked";
}

void TestWidgets::windowButtonIconChoice()
{
    QFETCH(bool, hasNormal);
    QFETCH(bool, hasChecked);
    QFETCH(bool, hasDisabled);
    QFETCH(bool, checked);
    QFETCH(bool, enabled);
    QFETCH(QString, expected);

    const QMap<QString, QIcon> icons = {
        {"previous", solidIcon(Qt::gray)},
        {"normal", solidIcon(Qt::white)},
        {"checked", solidIcon(Qt::green)},
        {"disabled", solidIcon(Qt::black)},
    };
    WindowButton button;
    QVERIFY(button.iconNormal().isNull());
    QVERIFY(button.iconChecked().isNull());
    QVERIFY(button.iconDisabled().isNull());
    button.setIcon(icons["previous"]);
    button.setCheckable(true);
    button.setChecked(checked);
    button.setEnabled(enabled);
    // Written as the stylesheet does, through the properties.
    if (hasNormal)
        button.setProperty("iconNormal", icons["normal"]);
    if (hasChecked)
        button.setProperty("iconChecked", icons["checked"]);
    if (hasDisabled)
        button.setProperty("iconDisabled", icons["disabled"]);

    QCOMPARE(button.icon().cacheKey(), icons[expected].cacheKey());
}

void TestWidgets::windowButtonFollowsCheckState()
{
    const QIcon normal = solidIcon(Qt::white);
    const QIcon checked = solidIcon(Qt::green);
    WindowButton button;
    button.setCheckable(true);
    button.setIconNormal(normal);
    button.setIconChecked(checked);
    QCOMPARE(button.icon().cacheKey(), normal.cacheKey());
    button.click();
    QCOMPARE(button.icon().cacheKey(), checked.cacheKey());
    button.setChecked(false);
    QCOMPARE(button.icon().cacheKey(), normal.cacheKey());
}

void TestWidgets::windowButtonIconsFromStyleSheet()
{
    QWidget host;
    host.setStyleSheet("WindowButton#max { qproperty-iconNormal: url(:/image/maximize.svg);"
                       " qproperty-iconChecked: url(:/image/restore.svg); }");
    auto *button = new WindowButton(&host);
    button->setObjectName("max");
    button->setCheckable(true);
    host.show();
    button->ensurePolished();
    QVERIFY(!button->iconNormal().isNull());
    QVERIFY(!button->iconChecked().isNull());
    QCOMPARE(button->icon().cacheKey(), button->iconNormal().cacheKey());
    button->setChecked(true);
    QCOMPARE(button->icon().cacheKey(), button->iconChecked().cacheKey());
}

void TestWidgets::windowButtonDoubleClick()
{
    WindowButton button;
    button.resize(36, 36);
    button.show();
    QSignalSpy doubleClicked(&button, &WindowButton::doubleClicked);
    QTest::mouseDClick(&button, Qt::RightButton);
    QCOMPARE(doubleClicked.count(), 0);
    QTest::mouseDClick(&button, Qt::LeftButton);
    QCOMPARE(doubleClicked.count(), 1);
}

void TestWidgets::setIconPathSetsIconSizeAndStyle()
{
    IconGrayToolBtn button;
    setIconPath(&button, ":/image/fileRenameBtn.svg");
    QVERIFY(!button.icon().isNull());
    QCOMPARE(button.iconSize(), QSize(32, 32));
    QCOMPARE(button.toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    setIconPath(nullptr, ":/image/fileRenameBtn.svg"); // no crash on a missing button
}

void TestWidgets::typePropertiesForTheStyleSheet()
{
    QCOMPARE(BluePushBtn().property("Type").toString(), QString("Blue"));
    QCOMPARE(IconBlueToolBtn().property("Type").toString(), QString("Blue"));
    QCOMPARE(IconGrayToolBtn().property("Type").toString(), QString("Gray"));
    CustormCombox combo;
    QVERIFY(qobject_cast<QListView *>(combo.view()));
}

void TestWidgets::warningDialogClosesAndDeletesItself_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("ok button") << "okBtn";
    QTest::newRow("close button") << "closeBtn";
}

void TestWidgets::warningDialogClosesAndDeletesItself()
{
    QFETCH(QString, button);

    QWidget parent;
    QPointer<WarningDialog> dialog = new WarningDialog(&parent);
    QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);
    dialog->setTipText("文件总数超过3000，请分批次处理！");
    QCOMPARE(dialog->findChild<QLabel *>("tipLabel")->text(),
        QString("文件总数超过3000，请分批次处理！"));
    QSignalSpy accepted(dialog.data(), &QDialog::accepted);
    dialog->show();
    auto *target = dialog->findChild<QAbstractButton *>(button);
    QVERIFY(target);
    target->click();
    QCOMPARE(accepted.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull());
}

void TestWidgets::tipDialogAnswers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("exit accepts") << "exitBtn" << int(QDialog::Accepted);
    QTest::newRow("cancel rejects") << "cancelBtn" << int(QDialog::Rejected);
}

void TestWidgets::tipDialogAnswers()
{
    QFETCH(QString, button);
    QFETCH(int, result);

    TipDialog dialog;
    QCOMPARE(dialog.size(), QSize(373, 212));
    QCOMPARE(dialog.findChild<QLabel *>("label_2")->text(), QString("确定要退出吗？"));
    QTimer::singleShot(0, &dialog, [&dialog, button] {
        if (auto *b = dialog.findChild<QAbstractButton *>(button))
            b->click();
        else
            dialog.done(-1);
    });
    QCOMPARE(dialog.exec(), result);
}

void TestWidgets::styleSheetIsReadUpToTheFirstZeroByte()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("main.qss");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("QWidget { color: red; }\0QLabel { color: blue; }", 48));
    file.close();
    QCOMPARE(readStyleSheet(path), QString("QWidget { color: red; }"));
    QCOMPARE(readStyleSheet(dir.filePath("missing.qss")), QString());
}

void TestWidgets::styleSheetResourceIsAsciiAndCoversTheShell()
{
    QFile file(":/qss/main.qss");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    for (char c : bytes)
        QVERIFY2(static_cast<unsigned char>(c) < 0x80, "the stylesheet is read as Latin-1");
    const QString sheet = readStyleSheet();
    for (const char *needle : {"Microsoft YaHei", "#405DFF", "#131415", "[Type=\"Blue\"]",
             "[Type=\"Gray\"]", "[system-button=\"true\"]", "#close-button", "qproperty-iconNormal",
             "checkOn.svg", "checkOff.svg"})
        QVERIFY2(sheet.contains(QLatin1String(needle)), needle);
    // Every picture the stylesheet names is compiled in.
    QRegularExpression url(R"(url\((:/[^)]+)\))");
    auto it = url.globalMatch(sheet);
    int count = 0;
    while (it.hasNext()) {
        const QString path = it.next().captured(1);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        ++count;
    }
    QVERIFY(count > 10);
}

void TestWidgets::helpPageShipsInTheRuntimeFolder()
{
    const QString saved = QDir::currentPath();
    QDir::setCurrent(QUORVEX_RUNTIME_DIR);
    const QUrl help = HelpPages::helpCenterUrl();
    const QUrl service = HelpPages::onlineServiceUrl();
    QDir::setCurrent(saved);

    QVERIFY(help.isLocalFile());
    QFile file(help.toLocalFile());
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(help.toString()));
    const QString html = QString::fromUtf8(file.readAll());
    for (const char *needle : {"帮助中心", "在线客服", "文件重命名", "文件夹重命名", "时间属性",
             "提取文件名", "批量生成文件夹", "id=\"service\""})
        QVERIFY2(html.contains(QString::fromUtf8(needle)), needle);
    QCOMPARE(service.fragment(), QString("service"));
    QCOMPARE(service.adjusted(QUrl::RemoveFragment), help);

    // Without the page installed nothing is opened (and nothing crashes).
    QTemporaryDir empty;
    QDir::setCurrent(empty.path());
    const bool found = HelpPages::helpCenterUrl().isValid();
    QDir::setCurrent(saved);
    QVERIFY(!found);
}

void TestWidgets::settingMenuOpensTheLocalHelpPages_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("customer service") << "help1"
                                      << "service";
    QTest::newRow("help centre") << "help2"
                                 << "";
}

void TestWidgets::settingMenuOpensTheLocalHelpPages()
{
    QFETCH(QString, button);
    QFETCH(QString, fragment);

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    const QString saved = QDir::currentPath();
    QDir::setCurrent(QUORVEX_RUNTIME_DIR);
    SettingMenu menu;
    QCOMPARE(menu.width(), 108);
    menu.findChild<QAbstractButton *>(button)->click();
    QDir::setCurrent(saved);
    QDesktopServices::unsetUrlHandler("file");

    QCOMPARE(catcher.urls.size(), 1);
    QVERIFY(catcher.urls.first().isLocalFile());
    QVERIFY(QFileInfo(catcher.urls.first().toLocalFile()).isFile());
    QCOMPARE(catcher.urls.first().fragment(), fragment);
}

void TestWidgets::missingHelpPageIsTold_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("customer service") << "help1";
    QTest::newRow("help centre") << "help2";
}

void TestWidgets::missingHelpPageIsTold()
{
    QFETCH(QString, button);
    QVERIFY2(!QFileInfo::exists(QCoreApplication::applicationDirPath() + "/help/index.html"),
        "the test program's folder must hold no help page");

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const QString saved = QDir::currentPath();
    QDir::setCurrent(empty.path());
    SettingMenu menu;
    menu.findChild<QAbstractButton *>(button)->click();
    QDir::setCurrent(saved);
    QDesktopServices::unsetUrlHandler("file");

    QVERIFY(catcher.urls.isEmpty());
    QList<WarningDialog *> told;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<WarningDialog *>(w))
            told.append(dialog);
    }
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first()->isVisible(), "the message must be shown");
    QVERIFY2(
        told.first()->tipText().contains("help/index.html"), qPrintable(told.first()->tipText()));
    told.first()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
