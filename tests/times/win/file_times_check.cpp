// The Windows file-time layer, built by the MinGW cross-compiler and run under Wine by
// tst_times. Arguments: the folder to work in, two UTC moments (seconds since 1970) that
// the program's conversion made of 2024-07-15 14:30:00 and 2024-01-15 14:30:00 Berlin time, and
// a file on a read-only mount (or "-"). Prints one line per failed check and exits with the
// number of failures.
#include "filetime/FileTimes.h"
#include "filetime/LocalTime.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

using namespace FileTimes;

namespace {

int failures = 0;

void check(bool ok, const char *what)
{
    if (!ok) {
        ++failures;
        std::printf("FAIL %s\n", what);
    }
}

void touch(const wchar_t *path)
{
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(h, "x", 1, &written, nullptr);
        CloseHandle(h);
    }
}

Present read(const wchar_t *path)
{
    Present p;
    if (!readFileTimes(path, &p))
        std::printf("cannot read the times of %ls\n", path);
    return p;
}

// The local wall-clock time Windows shows for a moment, with the rules of that date.
SYSTEMTIME localOf(const UtcTime &t)
{
    std::uint64_t ticks = 0;
    toTicks(t, &ticks);
    FILETIME ft;
    ft.dwLowDateTime = DWORD(ticks & 0xffffffffULL);
    ft.dwHighDateTime = DWORD(ticks >> 32);
    SYSTEMTIME u {}, l {};
    FileTimeToSystemTime(&ft, &u);
    SystemTimeToTzSpecificLocalTime(nullptr, &u, &l);
    return l;
}

bool shows(const UtcTime &t, int year, int month, int day, int hour, int minute)
{
    const SYSTEMTIME l = localOf(t);
    return l.wYear == year && l.wMonth == month && l.wDay == day && l.wHour == hour
        && l.wMinute == minute && l.wSecond == 0;
}

} // namespace

// "--local", a reading "yyyy-MM-dd hh:mm:ss" and a UTC moment: the moment the reading names, and
// what the local clock showed at the moment given.
int localTimes(wchar_t **argv)
{
    LocalReading r, shown;
    UtcTime utc;
    swscanf(
        argv[2], L"%d-%d-%d %d:%d:%d", &r.year, &r.month, &r.day, &r.hour, &r.minute, &r.second);
    if (!toUtc(r, &utc) || !toLocal(UtcTime {_wtoi64(argv[3]), 0}, &shown))
        return 101;
    std::printf("%lld %04d/%02d/%02d %02d:%02d:%02d\n", (long long)utc.seconds, shown.year,
        shown.month, shown.day, shown.hour, shown.minute, shown.second);
    return 0;
}

int wmain(int argc, wchar_t **argv)
{
    if (argc == 4 && std::wcscmp(argv[1], L"--local") == 0)
        return localTimes(argv);
    if (argc < 5 || !SetCurrentDirectoryW(argv[1]))
        return 100;
    const UtcTime summer {std::int64_t(_wtoi64(argv[2])), 0};
    const UtcTime winter {std::int64_t(_wtoi64(argv[3])), 0};
    touch(L"summer.txt");
    touch(L"winter.txt");
    touch(L"ro.txt");
    touch(L"early.txt");
    CreateDirectoryW(L"dir", nullptr);
    SetFileAttributesW(L"ro.txt", FILE_ATTRIBUTE_READONLY);

    const Present summerBefore = read(L"summer.txt");
    check(setFileTimes(L"summer.txt", nullptr, &summer, nullptr) == Written, "summer date written");
    const Present summerAfter = read(L"summer.txt");
    check(summerAfter.modification == summer, "summer date stored");
    check(shows(summerAfter.modification, 2024, 7, 15, 14, 30), "summer date shows 14:30");
    check(summerAfter.access == summerBefore.access, "access time untouched");

    check(setFileTimes(L"winter.txt", nullptr, &winter, nullptr) == Written, "winter date written");
    check(shows(read(L"winter.txt").modification, 2024, 1, 15, 14, 30), "winter date shows 14:30");

    check(setFileTimes(L"ro.txt", nullptr, &summer, nullptr) == Written, "read-only file written");
    check(read(L"ro.txt").modification == summer, "read-only file stored");
    check((GetFileAttributesW(L"ro.txt") & FILE_ATTRIBUTE_READONLY) != 0, "still read-only");

    // Attribute access needs no share with a program that holds the file open for writing.
    HANDLE held = CreateFileW(L"held.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    check(held != INVALID_HANDLE_VALUE, "a file held open");
    check(setFileTimes(L"held.txt", nullptr, &summer, nullptr) == Written, "held file written");
    check(read(L"held.txt").modification == summer, "held file stored");
    CloseHandle(held);

    check(setFileTimes(L"dir", nullptr, &winter, nullptr) == Written, "folder written");
    check(read(L"dir").modification == winter, "folder stored");

    const Present present = read(L"winter.txt");
    check(present.hasCreation, "a creation time is read");
    check(setFileTimes(L"winter.txt", &present.creation, nullptr, nullptr) == Written,
        "creation equal to the present one needs no writing");

    // Where the file system keeps no creation time of its own (Wine on a Linux folder reports
    // the modification time as one), the entry fails whole, even when both times asked are the
    // same moment; where it does, the time is kept, also once the modification time moves on.
    for (const UtcTime created : {UtcTime {1500000000LL, 0}, summer}) {
        const Present before = read(L"early.txt");
        const int r = setFileTimes(L"early.txt", &created, &summer, nullptr);
        const Present after = read(L"early.txt");
        if (r == Written) {
            check(after.creation == created && after.modification == summer, "creation kept");
            check(setFileTimes(L"early.txt", nullptr, &winter, nullptr) == Written
                    && read(L"early.txt").creation == created,
                "creation kept while the modification time moves");
        } else {
            check(r == WriteFailed && after.modification == before.modification
                    && after.creation == before.creation,
                "a creation time not kept fails and changes nothing");
        }
    }

    const Present early = read(L"early.txt");
    const UtcTime before1601 {-12000000000LL, 0};
    check(setFileTimes(L"early.txt", &before1601, &summer, nullptr) == WriteFailed,
        "a time before 1601 fails");
    check(read(L"early.txt").modification == early.modification, "and writes nothing");

    Present ro; // on a read-only volume the times are read, and writing is told apart
    check(!std::wcscmp(argv[4], L"-") || readFileTimes(argv[4], &ro), "read-only mount read");
    check(!std::wcscmp(argv[4], L"-") || setFileTimes(argv[4], nullptr, &summer, nullptr) == 3,
        "read-only mount cannot write");

    check(setFileTimes(L"missing.txt", nullptr, &summer, nullptr) == ReadFailed, "missing file");
    check(setFileTimes(L"", nullptr, &summer, nullptr) == EmptyPath, "empty path");
    SetFileAttributesW(L"ro.txt", FILE_ATTRIBUTE_NORMAL);
    return failures;
}
