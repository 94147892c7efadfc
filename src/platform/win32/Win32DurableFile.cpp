// The durable replace of a data file on Windows.
#include "common/FileIO.h"

#include <algorithm>
#include <windows.h>

namespace kelvane {

Status ReplaceFileDurably(const std::filesystem::path& target, const std::string& bytes,
                          const TemporarySuffixSource& nextSuffix, const BeforeReplace& beforeReplace)
{
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    // CREATE_NEW refuses a name that exists, so nothing planted under it is written through.
    for (int attempt = 0; attempt < TemporaryNameAttempts && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = target.native() + std::filesystem::path(nextSuffix()).native();
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        const DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (error != ERROR_SUCCESS && error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
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
    if (beforeReplace && !beforeReplace()) {
        DeleteFileW(temporary.c_str());
        return Status::Error("the file changed while it was being saved");
    }
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return Status::Error("the file cannot be replaced");
    }
    return Status::Ok();
}

void RemoveAbandonedTemporary(const std::filesystem::path& file)
{
    // A save that is writing holds its temporary file open without sharing it, so the system refuses
    // to delete it; a link stays, as it does on other systems.
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0) {
        DeleteFileW(file.c_str());
    }
}

} // namespace kelvane
