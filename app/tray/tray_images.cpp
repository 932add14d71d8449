#include "app/tray/tray_images.h"

#include "res/resource_ids.h"

namespace {

constexpr int kImageCount = static_cast<int>(TrayImage::imgSleepNow) + 1;

// Until the families are drawn, every image shows the placeholder.
int ResourceOf(TrayImage) { return IDI_TRAY_PLACEHOLDER; }

}  // namespace

TrayImages::TrayImages() {
    for (int i = 0; i < kImageCount; ++i) {
        images_.push_back(std::make_unique<platform::IconImage>(ResourceOf(TrayImage(i))));
    }
}

platform::Handle TrayImages::handle(TrayImage image) const {
    return images_[static_cast<std::size_t>(image)]->handle();
}
