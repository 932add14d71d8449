// The program's one notification-area icon, identified by the tray form's
// picture box window and the id 9999.
#pragma once

#include <string>

#include "app/tray/tray_images.h"

constexpr std::uint32_t kTrayIconId = 9999;
// The shell reports mouse actions on the icon with this message.
constexpr std::uint32_t kTrayCallbackMessage = 0x200;  // WM_MOUSEMOVE

// An image that could not be loaded raises RuntimeError "Invalid picture" for
// the caller to report.
void AddTrayIcon(TrayImage icon, const std::string& tip);
// Re-adds the icon (with the start-up tip) when the shell no longer knows it.
void UpdateTrayTip(const std::string& tip);
void UpdateTrayIcon(TrayImage icon);
void RemoveTrayIcon();

// Places the tip in the record's 64-character field: the text, a NUL, then
// blanks. A text that does not fit with its NUL is cut to 63 characters.
void FillTipField(char (&field)[64], const std::string& text);
