#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QtGlobal>

// The one log file of the process; opened by openLogFile, never closed explicitly.
extern QFile logFile;

// Writes each Qt message as one enciphered line of logFile ("Debug: ", "Warning: ",
// "Critical: " prefix). Fatal messages abort at once. Safe to call from any thread.
void logMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &msg);

// The Base64 line of a text: AES-128-ECB with PKCS#7 padding of its UTF-8 bytes.
QString encryptText(QString text);
// The text of a line; empty for anything that is not whole cipher blocks.
QString decryptText(QString line);

// Like decryptText, but tells a damaged line (bad Base64, partial block, bad padding)
// from the line of an empty message.
bool decryptLogLine(const QString &line, QString *text);

// "<logDir>/yyyy-MM-dd-hh-mm-ss-log.txt" for a start at startTime.
QString logFileName(const QString &logDir, const QDateTime &startTime);

// Creates `folder` (by default "./log/" below the working directory) if missing and opens the log
// file named by startTime in it for appending. Returns whether the file is open; the program
// carries on either way.
bool openLogFile(const QDateTime &startTime = QDateTime::currentDateTime(),
    const QString &folder = QStringLiteral("./log/"));
