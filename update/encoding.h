// The announcement page arrives as UTF-8 bytes; the program's texts are code
// page 936. These turn one into the other.
#pragma once

#include <string>

#include "platform/codepage.h"

// The bytes up to, not including, the first zero byte.
std::string bytesToText(const std::string& bytes);
// Decodes text from codePage into UTF-16 units, the zero unit included;
// empty when nothing could be decoded.
std::u16string toUtf16(const std::string& text, unsigned codePage = platform::kUtf8CodePage);
// Encodes UTF-16 units (up to the first zero unit) into codePage; characters
// the code page lacks become its default character.
std::string fromUtf16(const std::u16string& units, unsigned codePage = platform::kAnsiCodePage);
// UTF-8 text to code page 936 text.
std::string utf8ToAnsi(const std::string& text);
