// The registry calls, one Win32 call each; keys are closed by the caller.
#include <string>

#include "platform/win32/run_time_link.h"

namespace platform {

using win32::ToHandle;
using win32::ToNative;

Status RegOpen(Handle root, const std::string& subKey, Handle* key) {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyA(ToNative<HKEY>(root), subKey.c_str(), &opened);
    *key = ToHandle(opened);
    return status;
}

Status RegCreate(Handle root, const std::string& subKey, Handle* key) {
    HKEY created = nullptr;
    const LONG status = RegCreateKeyA(ToNative<HKEY>(root), subKey.c_str(), &created);
    *key = ToHandle(created);
    return status;
}

Status RegQuery(Handle key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                std::uint32_t* size) {
    // DWORD is unsigned long to MinGW, a different type from std::uint32_t, so
    // the call fills locals. Windows leaves them alone where it reports nothing,
    // which the copies back preserve.
    DWORD nativeType = type != nullptr ? *type : 0;
    DWORD nativeSize = size != nullptr ? *size : 0;
    const LONG status = RegQueryValueExA(ToNative<HKEY>(key), valueName.c_str(), nullptr,
                                         type != nullptr ? &nativeType : nullptr, data,
                                         size != nullptr ? &nativeSize : nullptr);
    if (type != nullptr) *type = nativeType;
    if (size != nullptr) *size = nativeSize;
    return status;
}

Status RegSet(Handle key, const std::string& valueName, std::uint32_t type,
              const std::uint8_t* data, std::uint32_t size) {
    return RegSetValueExA(ToNative<HKEY>(key), valueName.c_str(), 0, type, data, size);
}

Status RegSetWideString(Handle key, const std::string& valueName, const std::u16string& text) {
    // Looked up at run time: the 9x family's advapi32 has no working wide
    // registry calls, and the program never needs them there.
    using SetValueFunction = LONG(WINAPI*)(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD);
    static const auto setValue =
        win32::FindFunction<SetValueFunction>(GetModuleHandleA("advapi32.dll"), "RegSetValueExW");
    if (setValue == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
    // The value names are ASCII, the program's own.
    const std::wstring name(valueName.begin(), valueName.end());
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    const auto size = static_cast<DWORD>((text.size() + 1) * sizeof(char16_t));
    return setValue(ToNative<HKEY>(key), name.c_str(), 0, REG_SZ,
                    reinterpret_cast<const BYTE*>(text.c_str()), size);
}

Status RegDeleteSubKey(Handle root, const std::string& subKey) {
    return RegDeleteKeyA(ToNative<HKEY>(root), subKey.c_str());
}

Status RegDeleteNamedValue(Handle key, const std::string& valueName) {
    return RegDeleteValueA(ToNative<HKEY>(key), valueName.c_str());
}

Status RegClose(Handle key) {
    return RegCloseKey(ToNative<HKEY>(key));
}

}  // namespace platform
