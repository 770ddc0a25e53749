// Reading the mode switch from the process command line.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// Splits a command line into words. Words are separated by runs of characters with codes
// 1..32; a NUL ends the line. A double-quoted stretch belongs to the word it stands in and
// loses its quotes (an unclosed quote runs to the end of the line). A pair of double quotes
// where a word would begin is consumed like separators: it makes no word, not even an empty
// one, and any separators after it are skipped as well. So `prog "" /s` has the words
// "prog" and "/s", and `prog ""` has only "prog".
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Word 1 of the command line (word 0 is the program name), or "" when there is none.
std::string FirstArgument(std::string_view commandLine);

enum class Mode { Saver, Password, Configure, Preview, None };

// The mode that a first argument selects. The switches are compared as whole words, case
// matters: "/s" "/S" saver, "/a" "/A" password, "/c" "/C" or no argument configure,
// "/p" "/P" preview. "/c:" or "/C:" followed by one or more decimal digits (what the
// system's Settings button passes) also means configure. Anything else is None.
Mode ModeForArgument(std::string_view argument);

// The window that "/c:N" or "/C:N" names (the system's Settings button passes its own
// window): N from 1 to `largest`, the widest value a window handle holds; 0 for anything else.
std::uint64_t SettingsOwnerNumber(std::string_view argument, std::uint64_t largest);

// The window a preview request names: word 1 of the command line is "/p" or "/P" and word 2
// is N from 1 to `largest` in decimal digits only; 0 for anything else.
std::uint64_t PreviewHostNumber(std::string_view commandLine, std::uint64_t largest);

} // namespace tavrin
