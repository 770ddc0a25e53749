// The decimal code of the kinds of input that end the saver: 1 keyboard, 10 mouse click,
// 100 mouse move, summed. It is decoded by membership in fixed lists, not by its digits,
// so a code such as 2, 5 or 112 enables no kind at all.
#pragma once
#include <cstdint>

namespace tavrin {

enum class InputKind { Keyboard, MouseClick, MouseMove };

constexpr std::uint8_t kAllInputKinds = 111;

constexpr bool SensitivityEnables(std::uint8_t code, InputKind kind) {
    switch (kind) {
    case InputKind::Keyboard:
        return code == 1 || code == 11 || code == 101 || code == 111;
    case InputKind::MouseClick:
        return code == 10 || code == 11 || code == 110 || code == 111;
    case InputKind::MouseMove:
        return code == 100 || code == 101 || code == 110 || code == 111;
    }
    return false;
}

constexpr bool SensitivityEnablesAny(std::uint8_t code) {
    return SensitivityEnables(code, InputKind::Keyboard) || SensitivityEnables(code, InputKind::MouseClick) ||
           SensitivityEnables(code, InputKind::MouseMove);
}

// The dialog's encoding: no kind chosen means every kind.
constexpr std::uint8_t EncodeSensitivity(bool keyboard, bool mouseClick, bool mouseMove) {
    const int sum = (keyboard ? 1 : 0) + (mouseClick ? 10 : 0) + (mouseMove ? 100 : 0);
    return static_cast<std::uint8_t>(sum == 0 ? kAllInputKinds : sum);
}

} // namespace tavrin
