// The pace slider's value rules: clamping, dragging, stepping and tick marks.
#pragma once
#include <vector>

namespace tavrin {

struct SliderRange {
    int min, max, increment;
};

// The pace slider of the configuration dialog and its first value.
inline constexpr SliderRange kSpeedSlider{2, 100, 2};
inline constexpr int kSpeedSliderDefault = 10;

int ClampValue(int value, int min, int max);

// min + offset * (max - min) / trackLength rounded (halves to even), clamped into min..max.
// A track of length 0 or less gives min.
int ValueForDrag(int offset, int trackLength, int min, int max);

// Right arrow: r * increment + increment, Left arrow: r * increment - increment, where r is
// value / increment rounded with halves to even; both clamped into min..max.
int StepRight(int value, const SliderRange& range = kSpeedSlider);
int StepLeft(int value, const SliderRange& range = kSpeedSlider);
inline int HomeValue(const SliderRange& range = kSpeedSlider) {
    return range.min;
}
inline int EndValue(const SliderRange& range = kSpeedSlider) {
    return range.max;
}

struct TickMark {
    int value;
    int offset; // pixels from the start of the track, rounded with halves to even
    int length; // 5 at min and max, 3 elsewhere
    friend bool operator==(const TickMark&, const TickMark&) = default;
};

// Ticks at min, every increment * e above it (below max), and at max; e is the smallest whole
// number that puts the regular ticks at least 4 pixels apart or leaves a single interval.
std::vector<TickMark> TickMarks(const SliderRange& range, int trackPixels);

} // namespace tavrin
