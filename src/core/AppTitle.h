// The application's default title and the text of its error boxes.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tavrin {

// Lowers `count` characters in place.
using LowerCharacters = void (*)(char* first, std::size_t count);
// A-Z only; the program passes the system's lowering for its ANSI code page.
void LowerAscii(char* first, std::size_t count);

// The title the application object uses unless the saver sets its own: the program file's
// name without folder ('\\', '/' or a drive ':' end the folder part) and without everything
// from its first '.', the first character kept, all others lowered with `lower`.
// "C:\\WINDOWS\\TAVRIN.SCR" gives "Tavrin".
std::string DefaultApplicationTitle(std::string_view modulePath, LowerCharacters lower = LowerAscii);

// The text shown in the application's error box: the message, plus a full stop when its
// last byte sorts after '.' (so messages ending in a quote or '.' get none; "" stays "").
std::string ErrorBoxText(std::string_view message);

} // namespace tavrin
