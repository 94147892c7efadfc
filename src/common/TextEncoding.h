#pragma once

#include "common/Status.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// How a text file's bytes were stored, so that a file can be written back the way it was read.
enum class TextEncoding
{
    Utf8,        // no byte-order mark
    Utf8Bom,     // EF BB BF
    Utf16LeBom,  // FF FE
    Utf16BeBom,  // FE FF
    Windows1252, // no mark and not valid UTF-8: the Windows "ANSI" code page of western systems
};

struct DecodedText
{
    std::string utf8;
    TextEncoding encoding = TextEncoding::Utf8;
};

bool IsValidUtf8(std::string_view bytes);

// Strict decoding: a byte-order mark decides the encoding, otherwise the bytes must be UTF-8.
// Fails with a message naming the first bad position.
Result<DecodedText> DecodeTextStrict(std::string_view bytes);

// Lenient decoding for files other programs may have written: a mark decides, valid UTF-8 stays UTF-8,
// anything else is read as Windows-1252 (every byte has a meaning there, so this never fails).
DecodedText DecodeTextLenient(std::string_view bytes);
// The same, keeping the bytes themselves when they are the text already (UTF-8 without a mark) rather
// than copying them: for large files.
DecodedText DecodeTextLenient(std::string&& bytes);

// Reads bytes in Windows-1252 (every byte has a meaning there, so this never fails).
std::string DecodeWindows1252(std::string_view bytes);

// Encodes UTF-8 text in the given encoding, with its byte-order mark. Characters that Windows-1252 cannot
// hold become '?', as Windows does.
std::string EncodeText(std::string_view utf8, TextEncoding encoding);

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// The lines of a text: CR LF, LF or CR end a line; a line end at the very end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

} // namespace kelvane
