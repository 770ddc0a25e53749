#include "settings/RegistryLayout.h"

namespace tavrin {

std::string PictureValueName(int n) {
    std::string name = "Pic_";
    if (n < 10) name += '0';
    name += std::to_string(n);
    return name;
}

} // namespace tavrin
