#include "core/InputWatch.h"

namespace tavrin {

std::optional<InputKind> ClassifyMessage(std::uint32_t messageId) {
    switch (messageId) {
    case kWmKeyDown:
        return InputKind::Keyboard;
    case kWmMouseMove:
        return InputKind::MouseMove;
    case kWmLButtonDown:
    case kWmRButtonDown:
    case kWmMButtonDown:
        return InputKind::MouseClick;
    default:
        return std::nullopt;
    }
}

bool PointerRest::Holds(int pointerX, int pointerY) const {
    const auto within = [](int offset, int size) { return offset >= -size / 2 && offset <= size / 2; };
    return within(pointerX - x, width) && within(pointerY - y, height);
}

InputWatch::Verdict InputWatch::Observe(std::uint32_t messageId, std::uint8_t sensitivity, int pointerX,
                                        int pointerY) {
    if (!armed_) return Verdict::PassOn;
    const std::optional<InputKind> kind = ClassifyMessage(messageId);
    // Input of a kind that is off leaves the pending first event for a kind that is on.
    if (!kind || !SensitivityEnables(sensitivity, *kind)) return Verdict::PassOn;
    // So does a move that stays within the pointer's rest: the pointer has not moved.
    if (*kind == InputKind::MouseMove && rest_ && rest_->Holds(pointerX, pointerY)) return Verdict::PassOn;
    if (firstEventPending_) {
        firstEventPending_ = false;
        return Verdict::Ignored;
    }
    return Verdict::Act;
}

} // namespace tavrin
