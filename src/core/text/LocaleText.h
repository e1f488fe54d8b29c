// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user locale's text services for the list: case-sensitive collation
// (sort orders) and lower-casing (search and filter). The locale is handed in
// so tests do not depend on the machine; the default is the user's locale.
// Texts are memory text (see QtText.h); results of Lower are memory text too.
#include <QCollator>
#include <QLocale>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

class LocaleText {
 public:
  LocaleText();
  explicit LocaleText(const QLocale& locale);

  const QLocale& Locale() const { return locale_; }
  // Negative, zero or positive as a comes before, with or after b.
  int Compare(std::string_view a, std::string_view b) const;
  // Keys compare as Compare does; compute them once per sort.
  QCollatorSortKey SortKey(std::string_view text) const;
  // The rank of each text among the distinct texts in collation order; texts
  // that collate equal get the same rank. Each distinct text is collated once.
  std::vector<std::uint32_t> CollationRanks(std::span<const std::string_view> texts) const;
  std::string Lower(std::string_view text) const;
  // Lower into out, keeping out's memory: for loops over many texts.
  void LowerInto(std::string_view text, std::string& out) const;
  // Whether Lower maps ASCII text byte by byte, A..Z to a..z.
  bool PlainAsciiLower() const { return plainAsciiLower_; }

 private:
  std::string LocaleLower(std::string_view text) const;

  QLocale locale_;
  QCollator collator_;
  // Plain ASCII lower-casing gives the locale's result for ASCII text except
  // where the locale maps I to a dotless i.
  bool plainAsciiLower_ = true;
  // Lower-casing character by character gives the locale's result, except
  // for the few characters whose lower case depends on their neighbours or
  // is more than one character; those texts take the locale's way.
  bool byCharacter_ = true;
  // Lower case of each Windows-1252 byte 0x80..0xFF standing on its own.
  std::array<std::string, 128> lowerHigh_;
};

}  // namespace quill
