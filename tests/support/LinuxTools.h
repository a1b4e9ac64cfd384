#pragma once

#include <QtTest>

// Checks that start Linux programs: Debian's python3 (openpyxl, python-docx, zoneinfo), exiftool,
// openssl, opencc, Xvfb and xdotool. A Windows test program under Wine starts them but never learns
// how they ended.
#ifdef Q_OS_WIN
#define SKIP_WITHOUT_LINUX_TOOLS()                                                                 \
    QSKIP("starts a Linux program, which a Windows program under Wine cannot wait for")
#else
#define SKIP_WITHOUT_LINUX_TOOLS()                                                                 \
    do {                                                                                           \
    } while (false)
#endif
