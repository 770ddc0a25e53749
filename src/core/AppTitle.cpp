#include "core/AppTitle.h"

namespace tavrin {

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string DefaultApplicationTitle(std::string_view modulePath) {
    const std::size_t folderEnd = modulePath.find_last_of("\\/:");
    std::string_view name =
        folderEnd == std::string_view::npos ? modulePath : modulePath.substr(folderEnd + 1);
    name = name.substr(0, name.find('.'));

    std::string title(name);
    for (std::size_t i = 1; i < title.size(); ++i)
        title[i] = LowerAscii(title[i]);
    return title;
}

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    // Byte order, so characters above 127 also get a full stop.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        text += '.';
    return text;
}

} // namespace tavrin
