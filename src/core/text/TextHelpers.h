// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Line, number and small text helpers shared by the readers, the list and the
// settings.
#include <ctime>
#include <string>
#include <string_view>

namespace quill {

// "2010-09-24T08:05:09" style text to "24 sep 2010"; a month outside 01..12
// gives "???" for the month letters.
std::string IsoDateToText(std::string_view time);

// Splits text at the first run of separator: text keeps what was before it,
// rest gets what follows. False (rest empty) when there is no separator.
bool SplitAt(std::string& text, char separator, std::string& rest);

void TrimLineEnd(std::string& text);
void TrimLeadingSpaces(std::string& text);
void TrimTrailingSpaces(std::string& text);

// Decimal text to double, "." or "," as separator, independent of the process
// locale. The whole text (blanks around it allowed) must be one number as
// strtod reads one; anything else gives 0.
double TextToFloat(std::string_view text);

// Field n (0-based) of one comma-separated line; empty when out of range.
std::string CsvField(std::string_view line, int n);

// Printable copy: control characters and the soft hyphen become replacement;
// at most 399 characters, or maxLength when that is not 0. UTF-8 sequences of
// characters outside Windows-1252 are kept whole or left out whole.
std::string ReplaceControlChars(std::string_view text, std::size_t maxLength, char replacement);

// True where a C1 control character (U+0080..U+009F, UTF-8 C2 80..C2 9F)
// starts: a terminal obeys those as it obeys C0.
bool IsC1ControlAt(std::string_view utf8, std::size_t i);
// UTF-8 text fit for a terminal from byte from on: every C0, DEL and C1
// control character becomes one blank, so a file's text cannot steer it.
void BlankTerminalControls(std::string& utf8, std::size_t from = 0);

// Copy (at most 399 characters) with the characters illegal in file names as "_".
std::string SafeNameText(std::string_view text);

// UTC time as "%04u-%02u-%02uT%02u:%02u:%02u".
std::string FormatUtcTime(std::time_t t);
std::string CurrentUtcTimeText();

// Case-insensitive ASCII comparison, for file extensions.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// The extension of a path including its dot ("" when none), and the name part.
std::string_view FileExtension(std::string_view path);
std::string_view FileNamePart(std::string_view path);
std::string_view FolderPart(std::string_view path);

}  // namespace quill

namespace quill {
// printf("%.*f") without the process locale: always "." as separator.
std::string FormatFixed(double value, int decimals);
void AppendFixed(std::string& out, double value, int decimals);
}  // namespace quill
