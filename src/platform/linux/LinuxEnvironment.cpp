#include "platform/linux/LinuxEnvironment.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace kelvane::platform {

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string WithoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string HomeFolder()
{
    std::string home = EnvironmentValue("HOME");
    if (home.empty()) {
        if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) {
            home = entry->pw_dir;
        }
    }
    return WithoutTrailingSlashes(home);
}

std::string AbsoluteFolderOr(const char* variable, const std::string& fallback)
{
    const std::string value = EnvironmentValue(variable);
    return WithoutTrailingSlashes(!value.empty() && value.front() == '/' ? value : fallback);
}

} // namespace kelvane::platform
