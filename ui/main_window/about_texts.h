// The About tab's fixed texts and the two places its links lead to.
#pragma once

#include <string>

// The day this release was built, as the About tab shows it.
inline const char* const kBuildDate = "23 August 2005   ";

inline const char* const kWebsiteUrl = "http://www.example.org/software/Orbiquell/";
inline const char* const kEmailAddress = "dorrik.vell@example.org";
inline const char* const kMakerName = "Dorrik Vell";

inline const char* const kNoticeFirstLine = "Copyright (C) 2005";
inline const char* const kNoticeSecondLine = "Free for personal and commercial use.";
inline const char* const kTermsOfUse =
    "This program is provided as is, without warranty of any kind. You may copy and give it "
    "away freely, but not sell it or pass it off as your own.";

inline const char* const kGreeting = "Hello Pardolo!";

// "1.5.0": major, minor and revision in plain decimal.
std::string VersionNumberText();
// "version 1.5.0  (23 August 2005)".
std::string VersionLabelText();
