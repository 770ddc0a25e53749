#include "core/AppTitle.h"

namespace tavrin {

void LowerAscii(char* first, std::size_t count) {
    for (char* c = first; c != first + count; ++c)
        if (*c >= 'A' && *c <= 'Z') *c = static_cast<char>(*c - 'A' + 'a');
}

std::string DefaultApplicationTitle(std::string_view modulePath, LowerCharacters lower) {
    const std::size_t folderEnd = modulePath.find_last_of("\\/:");
    std::string_view name =
        folderEnd == std::string_view::npos ? modulePath : modulePath.substr(folderEnd + 1);
    name = name.substr(0, name.find('.'));

    std::string title(name);
    if (title.size() > 1) lower(title.data() + 1, title.size() - 1);
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
