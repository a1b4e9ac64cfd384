// The Windows rename layer, built by the MinGW cross-compiler and run under Wine by
// tst_renamerun. Prints one line per failed check and exits with the number of failures.
#include "disk/NativeRename.h"

#include <windows.h>

#include <cstdio>

namespace {

void touch(const wchar_t *path)
{
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    using namespace NativeRename;
    if (argc < 2 || !SetCurrentDirectoryW(argv[1]))
        return 100;
    CreateDirectoryW(L"empty", nullptr);
    CreateDirectoryW(L"src", nullptr);
    touch(L"Photo.jpg");
    touch(L"b.txt");

    int failures = 0;
    auto check = [&failures](bool ok, const char *what) {
        if (!ok) {
            ++failures;
            std::printf("FAIL %s\n", what);
        }
    };
    check(occupied(L"photo.jpg"), "names ignore case");
    check(identity(L"Photo.jpg") == identity(L"PHOTO.JPG"), "a case variant is the same object");
    check(!(identity(L"Photo.jpg") == identity(L"b.txt")), "two files are two objects");
    check(!identity(L"missing").valid, "no identity for a missing name");
    check(
        renameNoReplace(L"Photo.jpg", L"b.txt") == Outcome::TargetExists, "never replaces a file");
    check(renameNoReplace(L"Photo.jpg", L"empty") == Outcome::TargetExists,
        "never replaces an empty folder");
    check(renameNoReplace(L"src", L"empty") == Outcome::TargetExists,
        "a folder never replaces an empty folder");
    check(occupied(L"Photo.jpg") && occupied(L"b.txt") && isDirectory(L"empty"),
        "nothing moved on refusal");
    check(renameNoReplace(L"Photo.jpg", L"c.jpg") == Outcome::Done, "plain rename");
    check(renameNoReplace(L"src", L"dst") == Outcome::Done && isDirectory(L"dst"), "folder rename");
    int error = 0;
    check(renameNoReplace(L"missing", L"x", &error) == Outcome::Failed && error != 0,
        "a missing source fails with its error");
    touch(L"saved.tmp");
    check(renameReplacing(L"saved.tmp", L"b.txt") == Outcome::Done && !occupied(L"saved.tmp"),
        "a checked save replaces the old file");
    touch(L"saved.tmp");
    check(renameReplacing(L"saved.tmp", L"empty") == Outcome::Failed && isDirectory(L"empty"),
        "a save never replaces a folder");
    DeleteFileW(L"saved.tmp");
    return failures;
}
