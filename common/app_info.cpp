#include "common/app_info.h"

const std::string& AppTitle() {
    static const std::string title = "Orbiquell";
    return title;
}
