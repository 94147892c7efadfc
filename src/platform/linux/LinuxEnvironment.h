#pragma once

#include <string>

namespace kelvane::platform {

// An environment variable's value; empty when it is not set.
std::string EnvironmentValue(const char* name);

// The path without the slashes at its end (a lone "/" stays).
std::string WithoutTrailingSlashes(std::string path);

// The user's home folder: $HOME, else the account's entry; without a trailing slash.
std::string HomeFolder();

// An XDG-style folder variable's value when it is an absolute path (relative ones are to be ignored),
// else the fallback; without a trailing slash.
std::string AbsoluteFolderOr(const char* variable, const std::string& fallback);

} // namespace kelvane::platform
