#pragma once

#include <QtTest>

// Checks that start Debian's /usr/bin/python3 (openpyxl, python-docx, zoneinfo) or exiftool: a
// Windows test program under Wine can start a Linux program but never learn that it ended.
#ifdef Q_OS_WIN
#define SKIP_WITHOUT_LINUX_TOOLS()                                                                 \
    QSKIP("starts Debian's python3 or exiftool, which a Windows program under Wine cannot wait "   \
          "for")
#else
#define SKIP_WITHOUT_LINUX_TOOLS()                                                                 \
    do {                                                                                           \
    } while (false)
#endif
