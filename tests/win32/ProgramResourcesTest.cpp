// kelvane.exe as Explorer, the Start menu and the taskbar see it, read from the file with the calls the
// shell itself uses: its icon at every size, its version information and its manifest; and the pictures
// of the setup program's pages as Windows loads them.
#include "IconGroups.h"
#include "TestPaths.h"
#include "common/AppIdentity.h"
#include "platform/win32/Win32Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>
#include <windows.h>

namespace kelvane::test {
namespace {

// A path of the Linux side as Wine's Z: drive shows it.
std::wstring WinePath(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return platform::Widen("Z:" + path);
}

std::wstring Program()
{
    return WinePath(KELVANE_EXECUTABLE);
}

struct Rgba
{
    int R, G, B, A;
};

// One pixel of an image drawn on a grid of 16 units, as Windows decoded it; rows counted from the top.
class IconPixels
{
public:
    IconPixels(HICON icon, int size) : m_size(size), m_pixels(static_cast<size_t>(size * size))
    {
        ICONINFO info{};
        if (icon == nullptr || !GetIconInfo(icon, &info)) {
            return;
        }
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        format.bmiHeader.biWidth = size;
        format.bmiHeader.biHeight = -size; // top down
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(nullptr);
        m_read = info.hbmColor != nullptr && GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(size),
                                                       m_pixels.data(), &format, DIB_RGB_COLORS) == size;
        ReleaseDC(nullptr, screen);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }

    bool Read() const { return m_read; }

    // The pixel under the artwork's point (x, y), in units.
    Rgba At(double x, double y) const
    {
        const int px = std::min(m_size - 1, static_cast<int>(x * m_size / 16));
        const int py = std::min(m_size - 1, static_cast<int>(y * m_size / 16));
        const uint32_t bgra = m_pixels[static_cast<size_t>(py * m_size + px)];
        return {static_cast<int>((bgra >> 16) & 0xFF), static_cast<int>((bgra >> 8) & 0xFF),
                static_cast<int>(bgra & 0xFF), static_cast<int>(bgra >> 24)};
    }

private:
    int m_size;
    std::vector<uint32_t> m_pixels;
    bool m_read = false;
};

void ExpectColour(Rgba pixel, uint32_t rgb, const std::string& where)
{
    constexpr int Slack = 3;
    EXPECT_NEAR(pixel.R, static_cast<int>((rgb >> 16) & 0xFF), Slack) << where;
    EXPECT_NEAR(pixel.G, static_cast<int>((rgb >> 8) & 0xFF), Slack) << where;
    EXPECT_NEAR(pixel.B, static_cast<int>(rgb & 0xFF), Slack) << where;
    EXPECT_EQ(pixel.A, 255) << where;
}

TEST(ProgramIcon, OneIconGroupHoldsTheArtworkAtEverySizeWindowsAsksFor)
{
    const ResourceFile program(Program());
    ASSERT_NE(program.Module(), nullptr);
    // Qt's window classes load this very name, so the title bar and the taskbar show the same icon.
    ASSERT_EQ(program.IconGroupNames(), std::vector<std::wstring>{L"IDI_ICON1"});

    const std::string group = program.Bytes(MAKEINTRESOURCEW(14), L"IDI_ICON1");
    EXPECT_EQ(IconSizes(group), ProgramIconSizes);
    for (const IconEntry& entry : IconGroupEntries(group)) {
        EXPECT_EQ(entry.Bits, 32) << entry.Size << " px: colours with an alpha channel";
    }
}

// Each image as Windows decodes it: transparent round the screen, the sky and the frame in their colours
// and the right way up (the foot at the bottom).
TEST(ProgramIcon, EachSizeDecodesAsTheArtwork)
{
    const ResourceFile program(Program());
    const std::string group = program.Bytes(MAKEINTRESOURCEW(14), L"IDI_ICON1");
    ASSERT_FALSE(group.empty());
    for (const int size : ProgramIconSizes) {
        const std::string where = std::to_string(size) + " px";
        auto* directory = reinterpret_cast<BYTE*>(const_cast<char*>(group.data()));
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        std::string image = program.Bytes(MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(id));
        ASSERT_FALSE(image.empty()) << where;
        HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(image.data()), static_cast<DWORD>(image.size()),
                                              TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
        const IconPixels pixels(icon, size);
        DestroyIcon(icon);
        ASSERT_TRUE(pixels.Read()) << where;

        EXPECT_EQ(pixels.At(0.1, 0.1).A, 0) << where << ": the corner above the screen is transparent";
        EXPECT_EQ(pixels.At(15.9, 15.9).A, 0) << where << ": the corner beside the foot is transparent";
        ExpectColour(pixels.At(11.2, 9.7), 0x1C4A8C, where + ": the sky");
        ExpectColour(pixels.At(8.0, 14.2), 0x282C34, where + ": the foot");
    }
}

TEST(ProgramVersion, FilePropertiesNameTheProgramItsMakerAndItsVersion)
{
    const std::wstring path = Program();
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    // The shell reads the strings of the first language the file lists.
    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    wchar_t block[64];
    swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);

    const std::wstring title = platform::Widen(ApplicationTitle);
    const std::wstring version = platform::Widen(ProgramVersion);
    const std::wstring vendor = platform::Widen(DataFolderVendor);
    const struct
    {
        const wchar_t* Name;
        std::wstring Expected;
    } strings[] = {
        {L"ProductName", title},
        {L"CompanyName", vendor},
        {L"FileDescription", title + L" screensaver manager"},
        {L"FileVersion", version},
        {L"ProductVersion", version},
        {L"OriginalFilename", L"kelvane.exe"},
        {L"LegalCopyright", L"Copyright \u00A9 " + vendor + L". All rights reserved."},
    };
    for (const auto& string : strings) {
        wchar_t* value = nullptr;
        UINT chars = 0;
        const bool found = VerQueryValueW(info.data(), (block + std::wstring(string.Name)).c_str(),
                                          reinterpret_cast<void**>(&value), &chars);
        EXPECT_TRUE(found) << platform::Narrow(string.Name);
        if (found) {
            EXPECT_EQ(std::wstring(value), string.Expected) << platform::Narrow(string.Name);
        }
    }

    // The numbers Explorer's "Details" shows: 1.01 is 1.1.0.0, for a program (not a library).
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const auto major = static_cast<DWORD>(std::stoi(version.substr(0, version.find(L'.'))));
    const auto minor = static_cast<DWORD>(std::stoi(version.substr(version.find(L'.') + 1)));
    EXPECT_EQ(fixed->dwFileVersionMS, (major << 16) | minor);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(ProgramManifest, WindowsAcceptsItAndReadsTheUsersRightsAndPerMonitorDpi)
{
    const ResourceFile program(Program());
    const std::string manifest = program.Bytes(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));
    ASSERT_FALSE(manifest.empty()) << "the process's own manifest";
    for (const char* expected :
         {"level=\"asInvoker\"", "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm<",
          "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
          "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
    }

    // The loader's own reader: a manifest it cannot parse stops the program before it starts.
    const std::wstring path = Program();
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    wchar_t value[64] = {};
    SIZE_T written = 0;
    EXPECT_TRUE(QueryActCtxSettingsW(0, context, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                     L"dpiAwareness", value, 64, &written));
    EXPECT_EQ(std::wstring(value), L"PerMonitorV2,PerMonitor") << "the same awareness that Qt asks for";
    ReleaseActCtx(context);
}

// The setup program's pages stretch nothing when the pictures have the sizes its pages are made for.
TEST(SetupPictures, LoadAsBitmapsOfThePagesSizesInTheArtworksColours)
{
    const struct
    {
        const char* Path;
        int Width, Height;
        uint32_t TopLeft;
    } pictures[] = {
        {KELVANE_WIZARD_BITMAP, 164, 314, 0x1C4A8C}, // the welcome and finish pages' night sky
        {KELVANE_HEADER_BITMAP, 150, 57, 0xFFFFFF},  // the other pages' white header
    };
    for (const auto& picture : pictures) {
        auto* bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, WinePath(picture.Path).c_str(), IMAGE_BITMAP, 0, 0,
                                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr) << picture.Path;
        BITMAP shape{};
        GetObjectW(bitmap, sizeof(shape), &shape);
        EXPECT_EQ(shape.bmWidth, picture.Width) << picture.Path;
        EXPECT_EQ(shape.bmHeight, picture.Height) << picture.Path;
        EXPECT_EQ(shape.bmBitsPixel, 24) << picture.Path;
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, bitmap);
        const COLORREF corner = GetPixel(memory, 0, 0);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
        EXPECT_EQ(corner, RGB((picture.TopLeft >> 16) & 0xFF, (picture.TopLeft >> 8) & 0xFF, picture.TopLeft & 0xFF))
            << picture.Path;
    }
}

} // namespace
} // namespace kelvane::test
