#pragma once

#include "tests/support/LinuxTools.h"

// Runs "openssl enc" with the given arguments on input; the independent implementation the
// tests hold the cipher against. ok is false when openssl fails or cannot be started.
inline QByteArray runOpensslEnc(const QStringList &args, const QByteArray &input, bool *ok)
{
    const ToolRun openssl = runLinuxTool(
        QStringLiteral("openssl"), QStringList {QStringLiteral("enc")} + args, input);
    *ok = openssl.ok();
    if (!*ok)
        qWarning().noquote() << openssl.error << openssl.err;
    return openssl.out;
}
