// The Windows picker: the shell's own folder dialog with multiple selection. No Qt here, so
// the library stays small and builds with a plain Windows toolchain.
#include "picker/Pikvale.h"

#include <windows.h>

#include <shobjidl.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::wstring widen(const char *utf8)
{
    if (!utf8 || !*utf8)
        return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring text(size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &text[0], length);
    text.resize(size_t(length) - 1);
    return text;
}

// UTF-8 keeps every character of a path; the system code page would not.
std::string narrow(const std::wstring &text)
{
    if (text.empty())
        return std::string();
    const int length = WideCharToMultiByte(
        CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(length), '\0');
    WideCharToMultiByte(
        CP_UTF8, 0, text.c_str(), int(text.size()), &bytes[0], length, nullptr, nullptr);
    return bytes;
}

std::vector<std::wstring> pickFolders(const std::wstring &title)
{
    std::vector<std::wstring> folders;
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    IFileOpenDialog *dialog = nullptr;
    if (SUCCEEDED(CoCreateInstance(
            CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog)))) {
        DWORD options = 0;
        dialog->GetOptions(&options);
        dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_ALLOWMULTISELECT | FOS_FORCEFILESYSTEM
            | FOS_PATHMUSTEXIST);
        if (!title.empty())
            dialog->SetTitle(title.c_str());
        IShellItemArray *items = nullptr;
        if (SUCCEEDED(dialog->Show(nullptr)) && SUCCEEDED(dialog->GetResults(&items))) {
            DWORD count = 0;
            items->GetCount(&count);
            for (DWORD i = 0; i < count; ++i) {
                IShellItem *item = nullptr;
                if (FAILED(items->GetItemAt(i, &item)))
                    continue;
                PWSTR path = nullptr;
                if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) && path) {
                    folders.emplace_back(path);
                    CoTaskMemFree(path);
                }
                item->Release();
            }
            items->Release();
        }
        dialog->Release();
    }
    // A thread that was already initialised in another mode keeps its own state.
    if (SUCCEEDED(init))
        CoUninitialize();
    return folders;
}

} // namespace

extern "C" const char *Pikvale(const char *title)
{
    std::wstring joined;
    for (const std::wstring &folder : pickFolders(widen(title))) {
        if (!joined.empty())
            joined += L';';
        joined += folder;
    }
    const std::string bytes = narrow(joined);
    char *buffer = new char[bytes.size() + 1];
    std::memcpy(buffer, bytes.c_str(), bytes.size() + 1);
    return buffer;
}

extern "C" void PikvaleRelease(const char *buffer)
{
    delete[] buffer;
}
