#include "WindowsImageFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace kelvane::artwork {
namespace {

// The file formats are little-endian throughout.
void Put16(std::string& out, uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

char Byte(double value)
{
    return static_cast<char>(static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255)));
}

// BITMAPINFOHEADER: uncompressed, rows from the bottom up.
void PutInfoHeader(std::string& out, int width, int height, int bits, uint32_t imageBytes)
{
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1); // planes
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0); // BI_RGB
    Put32(out, imageBytes);
    Put32(out, 0); // pixels per metre, both ways
    Put32(out, 0);
    Put32(out, 0); // colours used, important
    Put32(out, 0);
}

// Rows of a bitmap are padded to whole 32-bit words.
int RowBytes(int width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

std::string IconImage(const ArtworkCanvas& image)
{
    const int size = image.Width();
    const int maskRow = RowBytes(size, 1);
    std::string out;
    // The height counts the colour image and the mask below it.
    PutInfoHeader(out, size, 2 * size, 32, static_cast<uint32_t>((size * 4 + maskRow) * size));
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Pixel& p = image.At(x, y);
            // Icons keep their colours apart from the alpha: undo its multiplication.
            const double a = p.A > 0 ? p.A : 1;
            out += Byte(p.B / a);
            out += Byte(p.G / a);
            out += Byte(p.R / a);
            out += Byte(p.A);
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(maskRow), '\0');
        for (int x = 0; x < size; ++x) {
            if (Byte(image.At(x, y).A) == 0) {
                row[static_cast<size_t>(x / 8)] =
                    static_cast<char>(row[static_cast<size_t>(x / 8)] | (0x80 >> (x % 8)));
            }
        }
        out += row;
    }
    return out;
}

} // namespace

std::string IconFile(std::span<const ArtworkCanvas> images)
{
    constexpr size_t DirectoryBytes = 6, EntryBytes = 16;
    std::string directory;
    Put16(directory, 0);
    Put16(directory, 1); // an icon, not a cursor
    Put16(directory, static_cast<uint32_t>(images.size()));
    std::string data;
    for (const ArtworkCanvas& image : images) {
        const int size = image.Width();
        if (size != image.Height() || size < 1 || size > 256) {
            throw std::invalid_argument("an icon image must be square and at most 256 pixels wide");
        }
        const std::string bytes = IconImage(image);
        // 256 does not fit in the entry's byte and is written as 0.
        directory += static_cast<char>(size & 0xFF);
        directory += static_cast<char>(size & 0xFF);
        directory += '\0'; // no palette
        directory += '\0';
        Put16(directory, 1);  // planes
        Put16(directory, 32); // bits per pixel
        Put32(directory, static_cast<uint32_t>(bytes.size()));
        Put32(directory, static_cast<uint32_t>(DirectoryBytes + EntryBytes * images.size() + data.size()));
        data += bytes;
    }
    return directory + data;
}

std::string BitmapFile(const ArtworkCanvas& image)
{
    constexpr uint32_t HeadersBytes = 14 + 40;
    const int row = RowBytes(image.Width(), 24);
    const auto imageBytes = static_cast<uint32_t>(row * image.Height());
    std::string out = "BM";
    Put32(out, HeadersBytes + imageBytes);
    Put32(out, 0); // reserved
    Put32(out, HeadersBytes);
    PutInfoHeader(out, image.Width(), image.Height(), 24, imageBytes);
    for (int y = image.Height() - 1; y >= 0; --y) {
        std::string line;
        for (int x = 0; x < image.Width(); ++x) {
            const Pixel& p = image.At(x, y);
            line += Byte(p.B + (1 - p.A));
            line += Byte(p.G + (1 - p.A));
            line += Byte(p.R + (1 - p.A));
        }
        line.resize(static_cast<size_t>(row), '\0');
        out += line;
    }
    return out;
}

} // namespace kelvane::artwork
