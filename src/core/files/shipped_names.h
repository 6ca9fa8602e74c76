#pragma once

namespace orbelquint {

// The names of the files the program ships and keeps, spelled here only.
inline constexpr char kPageTemplateName[] = "def.dat";  // its presence beside the program: portable
inline constexpr char kStartPageName[] = "main.html";
inline constexpr char kSampleName[] = "voorbeeld.htm";
inline constexpr char kSettingsName[] = "prev.ini";
// The bell times and free days of the calendar export, kept as the settings are.
inline constexpr char kBellTimesName[] = "beltijden.txt";
// The first copy's week page; the copies beside it number theirs ("temp2.htm").
inline constexpr char kWeekPageName[] = "temp.htm";
// The program's folder among the user's configuration, runtime and cache folders, and among the
// shared data.
inline constexpr char kOwnFolderName[] = "orbelquint";

}  // namespace orbelquint
