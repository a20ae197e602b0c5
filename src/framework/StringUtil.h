#pragma once

#include <string>
#include <string_view>
#include <vector>

// Small string helpers shared by the file readers and the command language. Case and blanks are
// ASCII only: names, keywords and symbols of this program are ASCII.

// Removes blanks (the space character only) from both ends.
std::string StripBlanks(std::string_view text);

// Removes a trailing carriage return, so that files written with CR LF line ends read cleanly.
void DropCarriageReturn(std::string& line);

// The lines of a text, without their line ends (LF or CR LF); a final line end starts no
// further line, so "a\nb\n" gives a and b, and an empty text gives none.
std::vector<std::string> SplitLines(std::string_view text);

std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);

// A file name as a shell would take it: a leading "~/" stands for `home`.
std::string ExpandHomeFolder(const std::string& path, const std::string& home);

// At most maxBytes of a text, cut before a UTF-8 character that would not fit whole.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes);

// Compares without regard to ASCII case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
