// The batch creation list: rows from a copy of a creation rule's settings.
#include "create/CreateFileEmpty.h"
#include "lists/CustomTabelWidget.h"
#include "lists/OperateWidget.h"
#include "tests/lists/ListTests.h"

#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QUuid>
#include <QtTest>

namespace {

CreateSettings settingsWith(const QStringList &names)
{
    CreateSettings s;
    s.fileType = 1;
    s.targetDir = "/target";
    for (const QString &name : names)
        s.names.append(CreateEntry {name, QUuid::createUuid().toString()});
    return s;
}

QStringList shownNames(const CreateFileEmpty &list)
{
    QStringList out;
    for (int r = 0; r < list.table()->rowCount(); ++r)
        out.append(list.table()->item(r, 0)->text());
    return out;
}

} // namespace

class TestCreateList : public QObject
{
    Q_OBJECT

private slots:
    void placeholderDoesNotAdd()
    {
        CreateFileEmpty list;
        list.show();
        QCOMPARE(list.findChild<QLabel *>("addFileTipLabel")->text(), QString("暂无文件信息~"));
        QWidget *area = list.findChild<QWidget *>("addFileAreaWidget");
        QVERIFY(!area->isEnabled());
        QTest::mouseClick(area, Qt::LeftButton);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(list.entryCount(), 0);
    }

    void rowsFromSettings()
    {
        CreateFileEmpty list;
        list.show();
        QSignalSpy empty(&list, &EntryListBase::tabelEmpty);
        CreateSettings settings = settingsWith({"报告1", "报告2"});
        settings.states = {2}; // stale and short: every name starts pending
        list.showSettings(settings);
        QCOMPARE(list.currentSettings().states, QList<int>({0, 0}));
        CustomTabelWidget *table = list.table();
        QCOMPARE(table->rowCount(), 2);
        QVERIFY(table->isVisible());
        QCOMPARE(table->item(1, 1)->text(), QString("/target/报告2"));
        // the name cell shows its mark in colour, but is neither selected, edited nor dragged
        QCOMPARE(table->item(0, 0)->flags(), Qt::ItemIsEnabled);
        QCOMPARE(table->item(0, 0)->data(Qt::UserRole + 1).toString(),
            list.currentSettings().names.at(0).uuid);
        auto *buttons = qobject_cast<OperateWidget *>(table->cellWidget(0, 3));
        QVERIFY(buttons->openButton()->isHidden());
        QVERIFY(buttons->sortButton()->isHidden());
        QCOMPARE(empty.size(), 1);
        QCOMPARE(empty.first().at(0).toBool(), false);

        // No names: the placeholder again, but no "empty" signal (the start button stays).
        list.showSettings(settingsWith({}));
        QVERIFY(!table->isVisible());
        QCOMPARE(empty.size(), 1);
    }

    void sortingCarriesStates_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("by name") << 0;
        QTest::newRow("by path") << 1;
    }
    void sortingCarriesStates()
    {
        QFETCH(int, column);
        CreateFileEmpty list;
        list.resize(900, 500);
        list.show();
        list.showSettings(settingsWith({"n10", "n2", "n1"}));
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.setEntryState(0, 1); // n10 done
        list.setEntryState(2, 2); // n1 failed
        QHeaderView *header = list.table()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
            QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
        QCoreApplication::processEvents();
        QCOMPARE(shownNames(list), QStringList({"n1", "n2", "n10"}));
        QCOMPARE(list.currentSettings().states, QList<int>({2, 0, 1}));
        QCOMPARE(qobject_cast<QLabel *>(list.table()->cellWidget(0, 2))->text(), QString("失败"));
        QCOMPARE(qobject_cast<QLabel *>(list.table()->cellWidget(2, 2))->text(), QString("成功"));
    }

    void removingKeepsStartButton()
    {
        CreateFileEmpty list;
        list.showSettings(settingsWith({"a", "b"}));
        list.setEntryState(1, 2);
        QSignalSpy empty(&list, &EntryListBase::tabelEmpty);
        for (int i = 0; i < 2; ++i)
            qobject_cast<OperateWidget *>(list.table()->cellWidget(0, 3))->deleteButton()->click();
        QCOMPARE(list.entryCount(), 0);
        QCOMPARE(list.currentSettings().states, QList<int>());
        QCOMPARE(empty.size(), 0);
        QVERIFY(list.findChild<QWidget *>("emptyList")->isVisibleTo(&list));
    }
};

REGISTER_LIST_TEST(TestCreateList)
#include "test_create.moc"
