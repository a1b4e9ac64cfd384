// The Windows picker: the shell's own folder dialog with multiple selection. No Qt here, so
// the library stays small and builds with a plain Windows toolchain.
#include "picker/Pikvale.h"

#include <windows.h>

#include <shobjidl.h>

#include <cstdio>
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

// Why the last call showed no dialog; empty when it did.
std::string failure;

void fail(const char *what, HRESULT result)
{
    char text[160];
    std::snprintf(text, sizeof text, "%s (0x%08lx)", what, static_cast<unsigned long>(result));
    failure = text;
}

std::vector<std::wstring> pickFolders(const std::wstring &title)
{
    std::vector<std::wstring> folders;
    failure.clear();
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    IFileOpenDialog *dialog = nullptr;
    const HRESULT created = CoCreateInstance(
        CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog));
    if (FAILED(created))
        fail("the shell's folder dialog cannot be created", created);
    if (SUCCEEDED(created)) {
        DWORD options = 0;
        dialog->GetOptions(&options);
        dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_ALLOWMULTISELECT | FOS_FORCEFILESYSTEM
            | FOS_PATHMUSTEXIST);
        if (!title.empty())
            dialog->SetTitle(title.c_str());
        IShellItemArray *items = nullptr;
        const HRESULT shown = dialog->Show(nullptr);
        // Cancelling is a choice; any other failure means the user never saw the dialog.
        if (FAILED(shown) && shown != HRESULT_FROM_WIN32(ERROR_CANCELLED))
            fail("the shell's folder dialog cannot be shown", shown);
        if (SUCCEEDED(shown) && SUCCEEDED(dialog->GetResults(&items))) {
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

extern "C" const char *PikvaleFailure()
{
    return failure.c_str();
}
