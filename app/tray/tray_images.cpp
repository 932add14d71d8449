#include "app/tray/tray_images.h"

#include "res/resource_ids.h"

namespace {

constexpr int kImageCount = static_cast<int>(TrayImage::imgSleepNow) + 1;

// Each image is an icon resource of its own (res/orbiquell.rc).
int ResourceOf(TrayImage image) {
    switch (image) {
        case TrayImage::imgIcon_none:
            return IDI_ICON_NONE;
        case TrayImage::imgIcon_rx:
            return IDI_ICON_RX;
        case TrayImage::imgIcon_tx:
            return IDI_ICON_TX;
        case TrayImage::imgIcon_rxtx:
            return IDI_ICON_RXTX;
        case TrayImage::imgSleeperDisabled_none:
            return IDI_SLEEPER_DISABLED_NONE;
        case TrayImage::imgSleeperDisabled_rx:
            return IDI_SLEEPER_DISABLED_RX;
        case TrayImage::imgSleeperDisabled_tx:
            return IDI_SLEEPER_DISABLED_TX;
        case TrayImage::imgSleeperDisabled_rxtx:
            return IDI_SLEEPER_DISABLED_RXTX;
        case TrayImage::imgSleepNever_none:
            return IDI_SLEEP_NEVER_NONE;
        case TrayImage::imgSleepNever_rx:
            return IDI_SLEEP_NEVER_RX;
        case TrayImage::imgSleepNever_tx:
            return IDI_SLEEP_NEVER_TX;
        case TrayImage::imgSleepNever_rxtx:
            return IDI_SLEEP_NEVER_RXTX;
        case TrayImage::imgSleepNow:
            return IDI_SLEEP_NOW;
    }
    return 0;  // not an image of the set
}

}  // namespace

TrayImages::TrayImages() {
    resize();
}

platform::Handle TrayImages::handle(TrayImage image) const {
    return images_[static_cast<std::size_t>(image)]->handle();
}

std::optional<TrayImage> TrayImages::find(platform::Handle handle) const {
    for (std::size_t i = 0; i < images_.size(); ++i) {
        if (handle != 0 && images_[i]->handle() == handle) return TrayImage(i);
    }
    return std::nullopt;
}

bool TrayImages::resize() {
    const int size = platform::TrayIconSize();
    if (size == size_) return false;
    // The new images are loaded while the old ones still exist, so that no
    // new handle can take the value of an old one: a handle the shell was
    // given would otherwise look unchanged.
    std::vector<std::unique_ptr<platform::IconImage>> images;
    for (int i = 0; i < kImageCount; ++i) {
        images.push_back(std::make_unique<platform::IconImage>(ResourceOf(TrayImage(i)), size));
    }
    images_.swap(images);
    size_ = size;
    return true;
}
