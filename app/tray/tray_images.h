// The images the tray icon shows: one family per hot-corner state, each with a
// variant per network activity.
#pragma once

#include <memory>
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

// Every image is loaded once, with the tray form, and lives as long as it.
class TrayImages {
  public:
    TrayImages();
    platform::Handle handle(TrayImage image) const;

  private:
    std::vector<std::unique_ptr<platform::IconImage>> images_;
};
