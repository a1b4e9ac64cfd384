// Loads Pikvale.dll as the program does on Windows and calls it. Without a display the shell's
// dialog cannot open, so the answer must be the empty string, released without harm, and the
// library must say that no dialog was shown (else the program would take it for a cancel).
#include <windows.h>

#include <cstdio>
#include <cstring>

using PickFn = const char *(*)(const char *);
using ReleaseFn = void (*)(const char *);

int main()
{
    HMODULE library = LoadLibraryW(L"Pikvale.dll");
    if (!library) {
        std::printf("cannot load Pikvale.dll\n");
        return 1;
    }
    const auto pick = reinterpret_cast<PickFn>(GetProcAddress(library, "Pikvale"));
    const auto release = reinterpret_cast<ReleaseFn>(GetProcAddress(library, "PikvaleRelease"));
    const auto failure
        = reinterpret_cast<const char *(*)()>(GetProcAddress(library, "PikvaleFailure"));
    if (!pick || !release || !failure) {
        std::printf("exports missing\n");
        return 1;
    }
    // "选择目录" in UTF-8
    const char *answer = pick("\xe9\x80\x89\xe6\x8b\xa9\xe7\x9b\xae\xe5\xbd\x95");
    if (!answer) {
        std::printf("null answer\n");
        return 1;
    }
    std::printf("answer=[%s] failure=[%s]\n", answer, failure());
    const bool empty = std::strlen(answer) == 0 && std::strlen(failure()) > 0;
    release(answer);
    release(nullptr);
    FreeLibrary(library);
    return empty ? 0 : 1;
}
