// The saver's watch on user input: which messages count and when they end the saver.
#pragma once
#include <cstdint>
#include <optional>

#include "core/SensitivityCode.h"

namespace tavrin {

// Win32 message identifiers the watch classifies (named so as not to clash with windows.h).
inline constexpr std::uint32_t kWmKeyDown = 0x0100;
inline constexpr std::uint32_t kWmMouseMove = 0x0200;
inline constexpr std::uint32_t kWmLButtonDown = 0x0201;
inline constexpr std::uint32_t kWmRButtonDown = 0x0204;
inline constexpr std::uint32_t kWmMButtonDown = 0x0207;

// The input class of a message, or nothing: only key-down, mouse-move and the three
// button-down messages count (no key-up, character, system-key, button-up, double-click
// or wheel message).
std::optional<InputKind> ClassifyMessage(std::uint32_t messageId);

// Where the pointer rests and how far it may wander without having moved: the system's drag
// rectangle (width by height) centred on it. The system sends mouse moves for a still pointer
// when windows appear or vanish under it, and a mouse jitters by a pixel or two.
struct PointerRest {
    int x, y;
    int width, height;
    bool Holds(int pointerX, int pointerY) const;
};

// The filter's state: armed or not, and whether the first qualifying event is still to come.
class InputWatch {
  public:
    enum class Verdict {
        PassOn,  // not armed, no class, or class off: nothing changed
        Ignored, // the first qualifying event since arming: let through to its window
        Act      // drop the message and show the exit panel
    };

    // With a rest, a mouse move that stays within it is no input at all.
    void Arm(std::optional<PointerRest> rest = std::nullopt) {
        firstEventPending_ = true;
        armed_ = true;
        rest_ = rest;
    }
    void Disarm() { armed_ = false; }
    bool Armed() const { return armed_; }
    bool FirstEventPending() const { return firstEventPending_; }

    // The pointer position is the message's (read only for mouse moves).
    Verdict Observe(std::uint32_t messageId, std::uint8_t sensitivity, int pointerX = 0, int pointerY = 0);

  private:
    std::optional<PointerRest> rest_;
    bool armed_ = false;
    bool firstEventPending_ = false;
};

} // namespace tavrin
