// The maker's credit line and home page, shown and opened by the About box. Kept apart from
// the box's class so that its layout can name the credit line as well.
#pragma once

namespace about {

inline constexpr char kCreditLine[] = "A. Brennholt, 1998";
inline constexpr char kHomePage[] = "http://www.quillam.example/tavrin/";

} // namespace about
