// Prints Quorvex log files deciphered, one message per line, for support staff.
// Line breaks inside a message are shown as "\n" so that every message stays on one line.
// A line that cannot be deciphered is shown as "[line N: cannot be deciphered]" and makes
// the exit status 1; a file that cannot be read makes it 2.

#include "logging/LogMessageHandler.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {

QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("logreader"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints Quorvex log files deciphered, one message per line."));
    parser.addHelpOption();
    const QCommandLineOption numbers(QStringList {"n", "line-numbers"},
        QStringLiteral("Put the line number of the log file before each message."));
    parser.addOption(numbers);
    parser.addPositionalArgument(
        QStringLiteral("file"), QStringLiteral("Log files to print."), QStringLiteral("file..."));
    parser.process(app);

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        parser.showHelp(2);

    QTextStream out(stdout);
    out.setCodec("UTF-8");
    QTextStream err(stderr);
    err.setCodec("UTF-8");

    int status = 0;
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err << "logreader: cannot read " << path << ": " << file.errorString() << "\n";
            status = 2;
            continue;
        }
        const QByteArray content = file.readAll();
        QList<QByteArray> lines = content.split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast(); // the line feed that ends the last line
        int damaged = 0;
        for (int i = 0; i < lines.size(); ++i) {
            if (parser.isSet(numbers))
                out << (i + 1) << ": ";
            QString text;
            if (decryptLogLine(QString::fromLatin1(lines.at(i)), &text)) {
                out << oneLine(text) << "\n";
            } else {
                out << "[line " << (i + 1) << ": cannot be deciphered]\n";
                ++damaged;
            }
        }
        out.flush();
        if (damaged) {
            err << "logreader: " << path << ": " << damaged << " of " << lines.size()
                << " lines cannot be deciphered\n";
            if (status == 0)
                status = 1;
        }
    }
    return status;
}
