// The six routines through which every registry read, write and deletion of
// the program goes. Each opens (or creates) its key, does one thing, closes
// the key and reports success; none raises or shows anything.
#pragma once

#include <cstdint>
#include <string>

// Reads a value of any type. REG_SZ data becomes the text; a REG_DWORD gives
// its decimal form; other types leave the text as it was. A missing key or
// value, or data over 1024 bytes, sets the text to "" and returns false.
bool GetRegString(std::uint32_t root, const std::string& path, const std::string& name,
                  std::string& text);

// True only for an existing REG_SZ value whose text is "" (no data, or a
// single NUL).
bool IsEmptyRegString(std::uint32_t root, const std::string& path, const std::string& name);

// True only for a REG_DWORD of four bytes; then number holds it. Otherwise the
// number is left as it was.
bool GetRegDWord(std::uint32_t root, const std::string& path, const std::string& name,
                 std::int32_t& number);

// Writes REG_SZ without a terminating NUL; an empty text is stored as one NUL.
bool SetRegString(std::uint32_t root, const std::string& path, const std::string& name,
                  const std::string& text);

// The same for text the ANSI code page cannot hold, written as UTF-16 with its
// terminating NUL. Fails on systems without the wide call (the 9x family).
bool SetRegWideString(std::uint32_t root, const std::string& path, const std::string& name,
                      const std::u16string& text);

bool SetRegDWord(std::uint32_t root, const std::string& path, const std::string& name,
                 std::int32_t number);

// Fails for a key that still has subkeys, so callers delete the deepest first.
bool DeleteRegKey(std::uint32_t root, const std::string& path);

// A value that is not there, nor its key, counts as deleted: the caller's aim
// holds.
bool DeleteRegValue(std::uint32_t root, const std::string& path, const std::string& name);

// Whether the key exists and this user may set values in it (it opens for
// KEY_SET_VALUE); nothing is written.
bool MayWriteRegValues(std::uint32_t root, const std::string& path);
