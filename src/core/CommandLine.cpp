#include "core/CommandLine.h"

#include <utility>

namespace tavrin {

namespace {

// Space and every control character separate words.
bool IsSeparator(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Moves past separators and empty quote pairs standing where a word would begin.
std::size_t SkipToWord(std::string_view line, std::size_t i) {
    for (;;) {
        while (i < line.size() && IsSeparator(line[i]))
            ++i;
        if (i + 1 < line.size() && line[i] == '"' && line[i + 1] == '"') {
            i += 2;
            continue;
        }
        return i;
    }
}

// Reads one word from i on; quotes toggle whether separators belong to the word.
std::size_t ReadWord(std::string_view line, std::size_t i, std::string& word) {
    bool quoted = false;
    while (i < line.size() && (quoted || !IsSeparator(line[i]))) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else {
            word += line[i];
        }
        ++i;
    }
    return i;
}

// "/c:" or "/C:" and one or more decimal digits.
bool IsNumberedConfigureSwitch(std::string_view arg) {
    if (arg.size() < 4 || arg[0] != '/' || (arg[1] != 'c' && arg[1] != 'C') || arg[2] != ':') return false;
    for (char c : arg.substr(3)) {
        if (!IsDigit(c)) return false;
    }
    return true;
}

// A decimal number from 1 to `largest` (digits only: no sign, no hex prefix); 0 for anything
// else, so no number ever wraps around to another value.
std::uint64_t DecimalNumber(std::string_view digits, std::uint64_t largest) {
    if (digits.empty()) return 0;
    std::uint64_t number = 0;
    for (char c : digits) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (!IsDigit(c) || digit > largest || number > (largest - digit) / 10) return 0;
        number = number * 10 + digit;
    }
    return number;
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    // The line is a C string for the system: a NUL ends it.
    const std::string_view line = commandLine.substr(0, commandLine.find('\0'));
    std::vector<std::string> words;
    std::size_t i = SkipToWord(line, 0);
    while (i < line.size()) {
        std::string word;
        i = ReadWord(line, i, word);
        words.push_back(std::move(word));
        i = SkipToWord(line, i);
    }
    return words;
}

std::string FirstArgument(std::string_view commandLine) {
    std::vector<std::string> words = SplitCommandLine(commandLine);
    return words.size() > 1 ? std::move(words[1]) : std::string();
}

Mode ModeForArgument(std::string_view argument) {
    if (argument == "/s" || argument == "/S") return Mode::Saver;
    if (argument == "/a" || argument == "/A") return Mode::Password;
    if (argument == "/c" || argument == "/C" || argument.empty()) return Mode::Configure;
    if (argument == "/p" || argument == "/P") return Mode::Preview;
    if (IsNumberedConfigureSwitch(argument)) return Mode::Configure;
    return Mode::None;
}

std::uint64_t SettingsOwnerNumber(std::string_view argument, std::uint64_t largest) {
    return IsNumberedConfigureSwitch(argument) ? DecimalNumber(argument.substr(3), largest) : 0;
}

std::uint64_t PreviewHostNumber(std::string_view commandLine, std::uint64_t largest) {
    const std::vector<std::string> words = SplitCommandLine(commandLine);
    if (words.size() < 3 || (words[1] != "/p" && words[1] != "/P")) return 0;
    return DecimalNumber(words[2], largest);
}

} // namespace tavrin
