#include "support/TempDir.h"

#include "common/FileIO.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace kelvane::test {

TempDir::TempDir()
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = base / ("kelvane-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            m_path = PathToUtf8(candidate);
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(PathFromUtf8(m_path), ec);
}

std::string TempDir::file(const std::string& name) const
{
    return m_path + "/" + name;
}

void TempDir::write(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(PathFromUtf8(file(name)), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file(name));
    }
}

std::string TempDir::read(const std::string& name) const
{
    const auto bytes = ReadFileBytes(file(name));
    if (!bytes) {
        throw std::runtime_error("cannot read " + file(name));
    }
    return bytes.value();
}

} // namespace kelvane::test
