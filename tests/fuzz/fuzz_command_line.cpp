// Command-line splitting and the mode switch: for any line, the words lose only separators
// and quotes, rebuild into a line that splits back the same, match a plain split wherever the
// line has no quotes and a separately written state machine everywhere, and the mode of each
// word is the one its switch names.
#include <cstdint>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "core/CommandLine.h"

namespace {

using tavrin::Mode;
using Words = std::vector<std::string>;

bool IsSeparator(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

std::string_view BeforeNul(std::string_view line) {
    return line.substr(0, line.find('\0'));
}

std::string Without(std::string_view text, bool (*drop)(char)) {
    std::string kept;
    for (char c : text)
        if (!drop(c)) kept.push_back(c);
    return kept;
}

bool IsSeparatorOrQuote(char c) {
    return IsSeparator(c) || c == '"';
}

// Without quotes the rule is a plain split on runs of separators.
Words PlainSplit(std::string_view line) {
    Words words;
    std::string word;
    for (char c : BeforeNul(line)) {
        if (!IsSeparator(c)) {
            word.push_back(c);
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

// The splitting rules as one character-at-a-time state machine: between words, separators and
// a pair of quotes are skipped; inside a word a quote toggles whether separators belong to it.
Words ReferenceSplit(std::string_view line) {
    line = BeforeNul(line);
    Words words;
    enum class State { Between, InWord } state = State::Between;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (state == State::Between) {
            if (IsSeparator(c)) continue;
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                ++i;
                continue;
            }
            words.emplace_back();
            state = State::InWord;
            quoted = false;
        }
        if (c == '"') {
            quoted = !quoted;
        } else if (IsSeparator(c) && !quoted) {
            state = State::Between;
        } else {
            words.back().push_back(c);
        }
    }
    return words;
}

// Each word quoted whole; an empty word can only be the last one (a lone quote that ends the
// line), and a lone quote is how it is written back.
std::string Rebuild(const Words& words) {
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty()) line += ' ';
        line += word.empty() ? "\"" : "\"" + word + "\"";
    }
    return line;
}

void CheckWords(std::string_view line, const Words& words) {
    std::string joined;
    for (std::size_t i = 0; i < words.size(); ++i) {
        FUZZ_CHECK(words[i].find('"') == std::string::npos);
        FUZZ_CHECK(words[i].find('\0') == std::string::npos);
        FUZZ_CHECK(!words[i].empty() || (i + 1 == words.size() && BeforeNul(line).ends_with('"')));
        joined += words[i];
    }
    // Every character that is neither a separator nor a quote lands in a word, in order, and
    // nothing else does except quoted separators.
    FUZZ_CHECK(Without(joined, IsSeparator) == Without(BeforeNul(line), IsSeparatorOrQuote));
    if (BeforeNul(line).find('"') == std::string_view::npos) FUZZ_CHECK(words == PlainSplit(line));
}

// The switches as a pattern, a second statement of the rules that does not share the code's
// structure.
Mode ExpectedMode(const std::string& argument) {
    static const std::regex saver("/[sS]"), password("/[aA]"), configure("(/[cC](:[0-9]+)?)?"),
        preview("/[pP]");
    if (std::regex_match(argument, saver)) return Mode::Saver;
    if (std::regex_match(argument, password)) return Mode::Password;
    if (std::regex_match(argument, configure)) return Mode::Configure;
    if (std::regex_match(argument, preview)) return Mode::Preview;
    return Mode::None;
}

void CheckMode(const std::string& argument) {
    if (argument.size() > 64) return; // the pattern match is slow on long input; the switches are short
    FUZZ_CHECK(tavrin::ModeForArgument(argument) == ExpectedMode(argument));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const Words words = tavrin::SplitCommandLine(line);

    CheckWords(line, words);
    FUZZ_CHECK(words == ReferenceSplit(line));
    FUZZ_CHECK(tavrin::SplitCommandLine(Rebuild(words)) == words);
    FUZZ_CHECK(tavrin::FirstArgument(line) == (words.size() > 1 ? words[1] : std::string()));

    // Switch words from a line, and the raw bytes as one argument (NULs and all).
    for (const std::string& word : words)
        CheckMode(word);
    CheckMode(line);
    return 0;
}
