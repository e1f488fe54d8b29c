// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/LocaleText.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <numeric>

#include "text/Ansi.h"
#include "text/QtText.h"

namespace quill {
namespace {

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Memory text as UTF-16 into a buffer that keeps its capacity, as
// AnsiToQString converts it.
void FillUtf16(QString& out, std::string_view text) {
  out.resize(static_cast<qsizetype>(text.size()));
  QChar* d = out.data();
  qsizetype n = 0;
  for (std::size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      d[n++] = QChar(c);
      ++i;
      continue;
    }
    std::size_t length = 1;
    char32_t cp = AnsiCharAt(text, i, length);
    i += length;
    if (cp >= 0x10000) {
      d[n++] = QChar(QChar::highSurrogate(cp));
      d[n++] = QChar(QChar::lowSurrogate(cp));
    } else {
      d[n++] = QChar(static_cast<char16_t>(cp));
    }
  }
  out.resize(n);
}

}  // namespace

LocaleText::LocaleText() : LocaleText(QLocale::system()) {}

LocaleText::LocaleText(const QLocale& locale) : locale_(locale), collator_(locale) {
  collator_.setCaseSensitivity(Qt::CaseSensitive);
  collator_.setNumericMode(false);
  collator_.setIgnorePunctuation(false);
  QLocale::Language lang = locale.language();
  plainAsciiLower_ = lang != QLocale::Turkish && lang != QLocale::Azerbaijani;
  // Lithuanian keeps the dot of i before accents above it.
  byCharacter_ = plainAsciiLower_ && lang != QLocale::Lithuanian;
  for (int b = 0x80; b <= 0xFF; ++b) {
    lowerHigh_[static_cast<std::size_t>(b - 0x80)] = LocaleLower(std::string(1, static_cast<char>(b)));
  }
}

int LocaleText::Compare(std::string_view a, std::string_view b) const {
  return collator_.compare(AnsiToQString(a), AnsiToQString(b));
}

QCollatorSortKey LocaleText::SortKey(std::string_view text) const {
  thread_local QString buffer;
  FillUtf16(buffer, text);
  return collator_.sortKey(buffer);
}

std::vector<std::uint32_t> LocaleText::CollationRanks(std::span<const std::string_view> texts) const {
  // Equal texts first share an id (an open-addressing table of ids), so the
  // collator sees each distinct text once; the sort proper then compares keys.
  std::vector<std::uint32_t> ranks(texts.size());
  std::vector<std::uint32_t> firstOf;  // id -> index of its first text
  const std::size_t tableSize = std::bit_ceil(std::max<std::size_t>(16, texts.size() * 2));
  constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
  std::vector<std::uint32_t> table(tableSize, kEmpty);
  const std::hash<std::string_view> hash;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    std::size_t slot = hash(texts[i]) & (tableSize - 1);
    while (table[slot] != kEmpty && texts[firstOf[table[slot]]] != texts[i]) slot = (slot + 1) & (tableSize - 1);
    if (table[slot] == kEmpty) {
      table[slot] = static_cast<std::uint32_t>(firstOf.size());
      firstOf.push_back(static_cast<std::uint32_t>(i));
    }
    ranks[i] = table[slot];
  }
  std::vector<QCollatorSortKey> keys;
  keys.reserve(firstOf.size());
  for (std::uint32_t i : firstOf) keys.push_back(SortKey(texts[i]));
  std::vector<std::uint32_t> byKey(firstOf.size());
  std::iota(byKey.begin(), byKey.end(), 0u);
  std::sort(byKey.begin(), byKey.end(),
            [&keys](std::uint32_t a, std::uint32_t b) { return keys[a].compare(keys[b]) < 0; });
  std::vector<std::uint32_t> rankOfId(firstOf.size());
  std::uint32_t rank = 0;
  for (std::size_t k = 0; k < byKey.size(); ++k) {
    if (k > 0 && keys[byKey[k - 1]].compare(keys[byKey[k]]) != 0) ++rank;
    rankOfId[byKey[k]] = rank;
  }
  for (std::uint32_t& r : ranks) r = rankOfId[r];
  return ranks;
}

std::string LocaleText::LocaleLower(std::string_view text) const {
  return QStringToAnsi(locale_.toLower(AnsiToQString(text)));
}

std::string LocaleText::Lower(std::string_view text) const {
  std::string out;
  LowerInto(text, out);
  return out;
}

void LocaleText::LowerInto(std::string_view text, std::string& out) const {
  if (plainAsciiLower_ && IsAscii(text)) {
    out.assign(text);
    for (char& c : out) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return;
  }
  if (!byCharacter_) {
    out = LocaleLower(text);
    return;
  }
  out.clear();
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c));
      ++i;
      continue;
    }
    std::size_t length = 1;
    char32_t cp = AnsiCharAt(text, i, length);
    if (length == 1) {
      out.append(lowerHigh_[c - 0x80u]);
      ++i;
      continue;
    }
    // Capital sigma lower-cases by its place in the word; capital I with dot
    // above becomes two characters.
    if (cp == 0x03A3 || cp == 0x0130) {
      out = LocaleLower(text);
      return;
    }
    char32_t lower = QChar::toLower(cp);
    if (lower == cp) {
      out.append(text.substr(i, length));
    } else {
      AppendCodePointAsAnsi(out, lower);
    }
    i += length;
  }
}

}  // namespace quill
