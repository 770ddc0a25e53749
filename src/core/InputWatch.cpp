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

InputWatch::Verdict InputWatch::Observe(std::uint32_t messageId, std::uint8_t sensitivity) {
    if (!armed_) return Verdict::PassOn;
    const std::optional<InputKind> kind = ClassifyMessage(messageId);
    // Input of a kind that is off leaves the pending first event for a kind that is on.
    if (!kind || !SensitivityEnables(sensitivity, *kind)) return Verdict::PassOn;
    if (firstEventPending_) {
        firstEventPending_ = false;
        return Verdict::Ignored;
    }
    return Verdict::Act;
}

} // namespace tavrin
