// Cutting a marked piece out of a code page 936 text. Positions are one-based
// byte positions; a failed search gives -1. Searches step over double-byte
// characters: a byte of 0x80 or above starts a two-byte character.
#pragma once

#include <string>

// Every non-overlapping exact match of search replaced, left to right,
// stepping over double-byte characters. Empty text or search: unchanged.
std::string replaceText(const std::string& text, const std::string& search, const std::string& replacement);
// Position of the first match of marker at or after startPosition (below 1
// means the first byte). ignoreCase folds only A-Z, byte by byte.
int findText(const std::string& text, const std::string& marker, int startPosition, bool ignoreCase);
// count bytes from the one-based position, as many as there are.
std::string middleText(const std::string& text, int position, int count);

// The text between the first startMarker found from startPosition and the
// first endMarker after it; empty when either is missing. "#引号" in a marker
// stands for a double quote.
std::string extractBetween(const std::string& text, const std::string& startMarker, const std::string& endMarker,
                           int startPosition = 0, bool ignoreCase = false);
