#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// Runs "openssl enc" with the given arguments on input; the independent implementation the
// tests hold the cipher against. ok is false when openssl fails or cannot be started.
inline QByteArray runOpensslEnc(const QStringList &args, const QByteArray &input, bool *ok)
{
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"), QStringList {QStringLiteral("enc")} + args);
    if (!openssl.waitForStarted(10000)) {
        *ok = false;
        return QByteArray();
    }
    openssl.write(input);
    openssl.closeWriteChannel();
    openssl.waitForFinished(30000);
    *ok = openssl.exitStatus() == QProcess::NormalExit && openssl.exitCode() == 0;
    return openssl.readAllStandardOutput();
}
