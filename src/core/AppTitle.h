// The application's default title and the text of its error boxes.
#pragma once
#include <string>
#include <string_view>

namespace tavrin {

// The title the application object uses unless the saver sets its own: the program file's
// name without folder ('\\', '/' or a drive ':' end the folder part) and without everything
// from its first '.', the first character kept, all others lowered (ASCII A-Z only).
// "C:\\WINDOWS\\TAVRIN.SCR" gives "Tavrin".
std::string DefaultApplicationTitle(std::string_view modulePath);

// The text shown in the application's error box: the message, plus a full stop when its
// last byte sorts after '.' (so messages ending in a quote or '.' get none; "" stays "").
std::string ErrorBoxText(std::string_view message);

} // namespace tavrin
