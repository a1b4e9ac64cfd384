#include <QtTest>

int runReaderTests(int argc, char **argv);
int runWriterTests(int argc, char **argv);
int runWordTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += runReaderTests(argc, argv);
    failures += runWriterTests(argc, argv);
    failures += runWordTests(argc, argv);
    return failures;
}
