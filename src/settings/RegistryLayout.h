// Where the settings live under HKEY_CURRENT_USER and what their values are called.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tavrin {

inline constexpr std::string_view kProductKey = "Software\\Quillam\\Tavrin";
inline constexpr std::string_view kDesktopKey = "Control Panel\\desktop";

// Read from the system's desktop key, never written.
inline constexpr std::string_view kUsePasswordValue = "ScreenSaveUsePassword";

inline constexpr std::string_view kVersionValue = "Version";
inline constexpr std::string_view kSensitivityValue = "Sensitivity";
inline constexpr std::string_view kPictureSetValue = "PictureSet";
inline constexpr std::string_view kClsValue = "CLS";
inline constexpr std::string_view kSpeedValue = "Speed";
inline constexpr std::string_view kBackgroundValue = "Background";
inline constexpr std::string_view kPasswordValue = "Password";

// "1" marks the older layout that had no "Background"; a save always writes "2".
inline constexpr std::string_view kOldLayoutVersion = "1";
inline constexpr std::string_view kLayoutVersion = "2";

// A password is stored, typed and matched with at most this many characters.
inline constexpr std::size_t kMaxPasswordLength = 20;

// "Pic_01" .. "Pic_25" for picture n = 1..25 of the chosen set.
std::string PictureValueName(int n);

} // namespace tavrin
