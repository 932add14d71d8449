// The hot-corner watch and the choice of the tray image. Resting the cursor in
// the bottom-left corner of the screen it is on starts the screen saver (not
// while a program fills that screen, if the user asked for that); resting it in
// the bottom-right corner keeps the screen saver off, and the display on, until
// it leaves.
#pragma once

#include <cstdint>

#include "app/tray/tray_images.h"
#include "platform/platform.h"

// Corner states: 0 = cursor not in the corner, 1 = armed (seen there on one
// tick), 2 = fired (acted; nothing more until the cursor leaves).
struct HotCornerState {
    // The size of the screen the cursor was on at the last look.
    std::int32_t ScreenWidth = 0;
    std::int32_t ScreenHeight = 0;
    std::uint8_t BottomLeftState = 0;
    std::uint8_t BottomRightState = 0;
};

// The watch's state, kept from tick to tick for the life of the process.
extern HotCornerState mHotCorners;

// Whether a program fills the screen from the front, as a game or a slide show
// does: the foreground window covers exactly that screen and has neither a
// caption nor a sizing frame (the desktop and the taskbar aside), or the shell
// says a full-screen program runs and the window in front is on that screen,
// or presentation mode is on. A running screen saver is none of these.
bool ProgramFillsScreen(const platform::ScreenRect& screen);

// The image for the corner states, the hot-corner flag and the network
// activity: a corner in use shows its own family, else the flag's family.
TrayImage ChooseTrayImage(const HotCornerState& corners, std::uint8_t hotCornersEnabled, bool rx,
                          bool tx);

// Ends a hold of the bottom-right corner, as the pointer leaving it does, and
// as switching hot corners off must: nothing watches the corner then, so
// nothing would ever see the pointer leave, and the screen saver would stay
// off, and the computer awake, for the rest of the run.
void EndHotCornerHold();

// One tick of the watch (while hot corners are enabled) and of the image.
// Errors are reported in a message box and the tick goes on.
void UpdateSleeper();
