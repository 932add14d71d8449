// What every probe command needs to read windows, possibly of other processes:
// their class, text, place and owner, and memory inside another process for
// the messages whose parameters are pointers.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include <string>
#include <vector>

namespace probe {

// UTF-8, with line breaks, tabs and backslashes escaped: the scripts read one
// record per line.
std::string Utf8(const std::wstring& text);
std::wstring Wide(const char* text);

std::wstring ClassOf(HWND window);
// The text a window reports for WM_GETTEXT (empty when it does not answer).
std::wstring TextOf(HWND window);
std::string HandleText(HWND window);
std::string RectText(const RECT& rect);
DWORD ProcessOf(HWND window);

std::vector<HWND> TopLevelWindows();
std::vector<HWND> ChildWindows(HWND parent);

// A block of memory inside another process, for the messages whose parameters
// are pointers: the control reads and writes them in its own address space.
class RemoteBuffer {
  public:
    RemoteBuffer(DWORD pid, SIZE_T size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool ok() const { return address_ != nullptr; }
    // The process is a 32-bit one under 64-bit Windows: the records it reads
    // and fills have 32-bit pointers and handles, whatever the probe's own.
    bool in32BitProcess() const { return wow64_; }
    char* at(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
    bool write(SIZE_T offset, const void* data, SIZE_T size) const;
    bool read(SIZE_T offset, void* data, SIZE_T size) const;

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    SIZE_T size_ = 0;
    bool wow64_ = false;
};

}  // namespace probe
