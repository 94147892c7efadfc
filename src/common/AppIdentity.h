#pragma once

namespace kelvane {

// The application title: taskbar, main window caption, tray hint, and how a second instance finds the first.
inline constexpr const char* ApplicationTitle = "Kelvane";
inline constexpr const char* ProgramVersion = "1.01";

// Where the per-user data lives below the roaming application-data folder.
inline constexpr const char* DataFolderVendor = "Quillfen";
inline constexpr const char* DataFolderProduct = "Kelvane";

// The single-instance lock's name; one per desktop session.
inline constexpr const char* InstanceLockName = "SomeCrazyAssShitHereNobodyWillProbEverUse";

inline constexpr const char* CloseArgument = "/CLOSE";
inline constexpr const char* LanguageFileName = "language.json";
inline constexpr const char* DefaultLanguage = "English";

} // namespace kelvane
