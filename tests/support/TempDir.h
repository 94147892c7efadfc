#pragma once

#include <string>

namespace kelvane::test {

// A fresh folder for one test, removed with everything in it when the test ends.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path, without a trailing separator.
    const std::string& path() const { return m_path; }
    // A path inside the folder.
    std::string file(const std::string& name) const;

    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::string m_path;
};

} // namespace kelvane::test
