// The registry calls, one Win32 call each; keys are closed by the caller.
#include "platform/win32/native.h"

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
