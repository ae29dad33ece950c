// Shortcuts made by the shell: an IShellLinkW filled in and saved through
// its IPersistFile.
#include <objbase.h>
#include <shlobj.h>

#include "platform/encoding.h"
#include "platform/paths.h"
#include "platform/shell_link.h"
#include "platform/strings.h"
#include "platform/win_native.h"

namespace vantrel {

namespace {

std::wstring Wide(std::string_view win1252) {
    return Utf8ToWide(Cp1252ToUtf8(std::string(win1252)));
}

// A COM interface pointer, released when the object goes away.
template <typename T>
class Com {
  public:
    ~Com() {
        if (p_)
            p_->Release();
    }
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

  private:
    T* p_ = nullptr;
};

bool Failed(HRESULT result, std::string_view path, std::string* error) {
    if (error)
        *error = "cannot make the shortcut " + DisplayPath(path) +
                 Format(" (the shell reports 0x%08lx)", static_cast<unsigned long>(result));
    return false;
}

}  // namespace

bool WriteShellLink(std::string_view path, const ShellLink& link, std::string* error) {
    // COM for this thread, if no one started it yet (S_FALSE: already
    // started; it is ended in balance either way).
    const HRESULT started = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool balance = SUCCEEDED(started);
    HRESULT result = started == RPC_E_CHANGED_MODE ? S_OK : started;
    {
        Com<IShellLinkW> shellLink;
        Com<IPersistFile> file;
        if (SUCCEEDED(result))
            result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IShellLinkW, reinterpret_cast<void**>(shellLink.Out()));
        if (SUCCEEDED(result))
            result = shellLink->SetPath(Wide(link.target).c_str());
        if (SUCCEEDED(result))
            result = shellLink->SetArguments(Wide(link.arguments).c_str());
        if (SUCCEEDED(result) && !link.workingFolder.empty())
            result = shellLink->SetWorkingDirectory(Wide(link.workingFolder).c_str());
        if (SUCCEEDED(result))
            result =
                shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()));
        if (SUCCEEDED(result))
            result = file->Save(WidePath(path).c_str(), TRUE);
    }
    if (balance)
        ::CoUninitialize();
    return SUCCEEDED(result) || Failed(result, path, error);
}

}  // namespace vantrel
