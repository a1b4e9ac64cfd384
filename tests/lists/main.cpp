// tst_lists runs several test classes; each file registers its class here.
#include "tests/lists/ListTests.h"

#include <QApplication>
#include <QtTest>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int failures = 0;
    for (const auto &make : listTestFactories()) {
        std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
