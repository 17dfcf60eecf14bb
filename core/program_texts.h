// The program's fixed texts: its title, version, welcome, exit question and credits.
#pragma once

#include <string_view>

namespace vtr {

// The version is written once, in the build (the project's version), and passed in.
#ifndef VTR_VERSION
#error "VTR_VERSION is defined by the build"
#endif
inline constexpr std::string_view kVersion = VTR_VERSION;

inline constexpr std::string_view kProgramTitle = "VantrelTIFFReader";
inline constexpr std::string_view kWelcome = "Welcome to VantrelTIFFReader\r\n";
inline constexpr std::string_view kExitQuestion = "Are you sure you wish to exit VantrelTIFFReader";
// The caption of the credits label under the picture.
inline constexpr std::string_view kCreditsLine =
    "(c) 2004 A. Vantrel, Vantrel Institute of Experimental Science";
// The credits message behind the label.
inline constexpr std::string_view kCreditsText =
    "VantrelTIFFReader was created in 2004 by A. Vantrel (a.vantrel@example.org) in the "
    "Department of "
    "Imaging Science (https://imaging.example.org), Vantrel Institute of Experimental Science, "
    "1 Institute Road, Vantrel Park, VT1 2AB.\r\n\r\n"
    "It belongs to the Vantrel family of software, a larger package used for collecting and "
    "analysing experimental data.";

}  // namespace vtr
