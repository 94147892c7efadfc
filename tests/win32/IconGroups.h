#pragma once

// An executable's icons as the shell finds them: its icon groups, each a directory of one image per size.

#include <cstdint>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

namespace kelvane::test {

// A file's resources, read without running any of its code.
class ResourceFile
{
public:
    explicit ResourceFile(const std::wstring& path)
        : m_module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {}
    ~ResourceFile()
    {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }
    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;

    HMODULE Module() const { return m_module; }

    // The bytes of one resource; empty when it is missing.
    std::string Bytes(const wchar_t* type, const wchar_t* name) const
    {
        HRSRC found = m_module != nullptr ? FindResourceW(m_module, name, type) : nullptr;
        HGLOBAL loaded = found != nullptr ? LoadResource(m_module, found) : nullptr;
        const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
        return data != nullptr ? std::string(static_cast<const char*>(data), SizeofResource(m_module, found))
                               : std::string();
    }

    // The names of the icon groups, in the order the shell picks the first: names before numbers.
    std::vector<std::wstring> IconGroupNames() const
    {
        std::vector<std::wstring> names;
        if (m_module != nullptr) {
            EnumResourceNamesW(
                m_module, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */,
                [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
                    auto& list = *reinterpret_cast<std::vector<std::wstring>*>(found);
                    list.push_back(IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<uintptr_t>(name))
                                                        : std::wstring(name));
                    return TRUE;
                },
                reinterpret_cast<LONG_PTR>(&names));
        }
        return names;
    }

private:
    HMODULE m_module;
};

// The group's entries: after a 6-byte head, 14 bytes each, the width first (0 stands for 256) and the
// bits per pixel at 6.
struct IconEntry
{
    int Size;
    int Bits;
};

inline std::vector<IconEntry> IconGroupEntries(const std::string& group)
{
    std::vector<IconEntry> entries;
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(group[at]); };
    if (group.size() < 6) {
        return entries;
    }
    const size_t count = byte(4) | (byte(5) << 8);
    for (size_t i = 0; i < count && 6 + 14 * (i + 1) <= group.size(); ++i) {
        const size_t at = 6 + 14 * i;
        entries.push_back({byte(at) == 0 ? 256 : byte(at), byte(at + 6) | (byte(at + 7) << 8)});
    }
    return entries;
}

inline std::set<int> IconSizes(const std::string& group)
{
    std::set<int> sizes;
    for (const IconEntry& entry : IconGroupEntries(group)) {
        sizes.insert(entry.Size);
    }
    return sizes;
}

// The sizes Windows asks a program's icon for, from the small one at 100 % to Explorer's large views.
inline const std::set<int> ProgramIconSizes = {16, 20, 24, 32, 40, 48, 64, 256};

} // namespace kelvane::test
