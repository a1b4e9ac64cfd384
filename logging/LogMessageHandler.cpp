#include "logging/LogMessageHandler.h"

#include "logging/QAESEncryption.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QTextStream>

#include <atomic>
#include <cstdlib>

QFile logFile;

namespace {

constexpr char logKeyText[] = "rbtowna##K#3094X";

QByteArray logKey()
{
    return QByteArray::fromRawData(logKeyText, 16);
}

// Serialises the writes of whole lines: an interleaved line can no longer be deciphered.
// A QBasicMutex has no destructor, so it stays usable while statics are being destroyed.
QBasicMutex logLock;

// Set when logFile is about to be destroyed at exit; later messages are dropped.
std::atomic<bool> logFileGone {false};

struct LogFileGuard
{
    ~LogFileGuard()
    {
        QMutexLocker locker(&logLock);
        logFileGone = true;
    }
};
// Defined after logFile, so destroyed before it.
LogFileGuard logFileGuard;

// A message raised while this thread writes a line (Qt warns about a failing device, for
// instance) must not take the lock again or recurse without end.
thread_local bool holdingLog = false;

struct HoldLog
{
    HoldLog() : locker(&logLock) { holdingLog = true; }
    ~HoldLog() { holdingLog = false; }
    QMutexLocker locker;
};

void writeLine(const QString &line)
{
    if (holdingLog)
        return;
    HoldLog hold;
    // Writing to a closed device would itself raise a warning; the line has nowhere to go.
    if (!logFileGone && logFile.isOpen() && logFile.isWritable()) {
        QTextStream stream(&logFile);
        stream << line << "\n";
    }
}

} // namespace

void logMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    Q_UNUSED(context)
    QString text;
    switch (type) {
    case QtDebugMsg:
        text = QStringLiteral("Debug: %1").arg(msg);
        break;
    case QtWarningMsg:
        text = QStringLiteral("Warning: %1").arg(msg);
        break;
    case QtCriticalMsg:
        text = QStringLiteral("Critical: %1").arg(msg);
        break;
    case QtFatalMsg:
        std::abort();
    default:
        break; // information messages write the line of the empty text
    }
    // Enciphering needs no lock: every call has its own cipher object.
    writeLine(encryptText(text));
}

QString encryptText(QString text)
{
    QAESEncryption aes(QAESEncryption::Aes128, QAESEncryption::Ecb, QAESEncryption::Pkcs7Padding);
    const QByteArray cipher = aes.encrypt(text.toUtf8(), logKey(), QByteArray());
    return QString::fromLatin1(cipher.toBase64());
}

QString decryptText(QString line)
{
    QAESEncryption aes(QAESEncryption::Aes128, QAESEncryption::Ecb, QAESEncryption::Pkcs7Padding);
    const QByteArray cipher = QByteArray::fromBase64(line.toLatin1());
    const QByteArray plain = aes.decrypt(cipher, logKey(), QByteArray());
    return QString::fromUtf8(QAESEncryption::stripPadding(plain, QAESEncryption::Pkcs7Padding));
}

bool decryptLogLine(const QString &line, QString *text)
{
    if (text)
        text->clear();
    const QByteArray::FromBase64Result decoded = QByteArray::fromBase64Encoding(
        line.trimmed().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return false;
    const QByteArray cipher = *decoded;
    if (cipher.isEmpty() || cipher.size() % 16 != 0)
        return false;
    QAESEncryption aes(QAESEncryption::Aes128, QAESEncryption::Ecb, QAESEncryption::Pkcs7Padding);
    const QByteArray plain = aes.decrypt(cipher, logKey(), QByteArray());
    const int pad = quint8(plain.at(plain.size() - 1));
    if (pad < 1 || pad > 16)
        return false;
    for (int i = plain.size() - pad; i < plain.size(); ++i) {
        if (quint8(plain.at(i)) != pad)
            return false;
    }
    if (text)
        *text = QString::fromUtf8(plain.left(plain.size() - pad));
    return true;
}

QString logFileName(const QString &logDir, const QDateTime &startTime)
{
    return logDir + QLatin1Char('/') + startTime.toString(QStringLiteral("yyyy-MM-dd-hh-mm-ss-"))
        + QStringLiteral("log.txt");
}

bool openLogFile(const QDateTime &startTime, const QString &folder)
{
    if (!QFileInfo::exists(folder))
        QDir().mkpath(QDir(folder).absolutePath());

    HoldLog hold;
    if (logFile.isOpen())
        logFile.close();
    logFile.setFileName(logFileName(QDir(folder).absolutePath(), startTime));
    return logFile.open(QIODevice::WriteOnly | QIODevice::Append);
}
