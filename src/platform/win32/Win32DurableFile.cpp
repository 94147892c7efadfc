// The durable replace of a data file on Windows.
#include "common/FileIO.h"

#include <algorithm>
#include <random>
#include <windows.h>

namespace kelvane {

Status ReplaceFileDurably(const std::filesystem::path& target, const std::string& bytes)
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    // CREATE_NEW refuses a name that exists, so nothing planted under it is written through.
    for (int attempt = 0; attempt < 16 && file == INVALID_HANDLE_VALUE; ++attempt) {
        wchar_t suffix[32];
        swprintf(suffix, 32, L".%016llx.tmp", static_cast<unsigned long long>(random()));
        temporary = target.native() + suffix;
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        return Status::Error("the file cannot be created");
    }
    const auto fail = [&](const char* why) {
        CloseHandle(file);
        DeleteFileW(temporary.c_str());
        return Status::Error(why);
    };
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return fail("the file cannot be written");
        }
        done += written;
    }
    if (!FlushFileBuffers(file)) {
        return fail("the file cannot be written to the disk");
    }
    CloseHandle(file);
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return Status::Error("the file cannot be replaced");
    }
    return Status::Ok();
}

} // namespace kelvane
