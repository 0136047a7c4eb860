// The program's own addresses, kept in one place. They are placeholders of
// this project (the reserved example domain), not anybody's real page; a
// packager who ships the simulator puts the real addresses here.
#pragma once

namespace hero::links {

// Shown on the splash screen and in the about box, opened by a click.
inline constexpr char kWebsiteText[] = "www.hero50.example";
inline constexpr char kWebsiteUrl[] = "https://www.hero50.example/";

// Shown on the splash screen; a click starts a new mail.
inline constexpr char kEmailText[] = "hero50@hero50.example";
inline constexpr char kEmailUrl[] = "mailto:hero50@hero50.example";

// Behind the donation buttons of the splash screen and the about box.
inline constexpr char kDonationUrl[] = "https://www.hero50.example/donate";

}  // namespace hero::links
