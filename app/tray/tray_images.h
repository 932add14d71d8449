// The images the tray icon shows: one family per hot-corner state, each with a
// variant per network activity.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "platform/widgets.h"

// Within a family the order none, rx, tx, rxtx is relied on when choosing by
// network activity.
enum class TrayImage {
    imgIcon_none,
    imgIcon_rx,
    imgIcon_tx,
    imgIcon_rxtx,
    imgSleeperDisabled_none,
    imgSleeperDisabled_rx,
    imgSleeperDisabled_tx,
    imgSleeperDisabled_rxtx,
    imgSleepNever_none,
    imgSleepNever_rx,
    imgSleepNever_tx,
    imgSleepNever_rxtx,
    imgSleepNow,
};

// The images are loaded with the tray form at the notification area's icon
// size, and again whenever that size changes.
class TrayImages {
  public:
    TrayImages();
    platform::Handle handle(TrayImage image) const;
    // Which image this handle is, if it is one of the images loaded now.
    std::optional<TrayImage> find(platform::Handle handle) const;
    // Loads every image anew at the notification area's icon size, if that is
    // not their size; returns whether it did. The new handles differ from the
    // old ones, which are released.
    bool resize();

  private:
    int size_ = 0;
    std::vector<std::unique_ptr<platform::IconImage>> images_;
};
