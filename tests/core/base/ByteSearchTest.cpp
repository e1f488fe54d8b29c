// SPDX-License-Identifier: GPL-3.0-or-later
// Every width this processor runs must give what the standard library gives,
// over random texts at every alignment that end where their memory ends (a
// read past the end is the sanitizers' to catch), with needles taken from
// every place in the text, near misses and newline runs long enough to fill
// the byte counters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "base/ByteSearch.h"

namespace quill {
namespace {

std::vector<ByteWidth> WidthsHere() {
  std::vector<ByteWidth> widths;
  for (ByteWidth w : {ByteWidth::kPlain, ByteWidth::kSse2, ByteWidth::kAvx2}) {
    if (w <= WidestByteWidth()) widths.push_back(w);
  }
  return widths;
}

// n bytes that end where their allocation ends, starting shift bytes past
// the allocation's (aligned) start.
struct Buffer {
  Buffer(std::size_t n, std::size_t shift) : memory(new char[shift + n]), data(memory.get() + shift), size(n) {}
  std::string_view View() const { return {data, size}; }
  std::unique_ptr<char[]> memory;
  char* data;
  std::size_t size;
};

bool PlainAsciiReference(std::string_view text, std::string& lowered) {
  lowered.clear();
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80 || c == '&' || c == '<' || c == '\r' || c == '\n') return false;
    lowered.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c);
  }
  return true;
}

TEST(ByteSearch, EveryWidthGivesWhatTheStandardLibraryGives) {
  const std::vector<ByteWidth> widths = WidthsHere();
  std::printf("widths run here: %zu of 3\n", widths.size());
  // Few distinct bytes, so needles recur and first and last bytes match often.
  const std::string xmlBytes = std::string("<</>ab\n\n\xff\x80", 10) + '\0';
  // Plain ASCII with the case edges; the bytes that make lowering refuse are
  // dropped in one at a time.
  const std::string asciiBytes = std::string("AMZaz@[`{ 09\x7f\x01", 14) + '\0';
  const std::string refused = "&<\r\n\x80\xff";
  std::mt19937 random(29);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  for (int round = 0; round < 1200; ++round) {
    // Every length up to a few blocks, then longer texts; every alignment.
    const std::size_t n = round < 200 ? static_cast<std::size_t>(round) : 200 + pick(900);
    const std::size_t shift = static_cast<std::size_t>(round) % 32;
    Buffer text(n, shift);
    for (std::size_t i = 0; i < n; ++i) text.data[i] = xmlBytes[pick(xmlBytes.size())];
    const std::string_view view = text.View();

    std::vector<std::string> needles = {"", "<", "</", "\n\n\n", std::string(3, '\0'), "</a>", std::string(40, '<')};
    // Pieces of the text from every start near its two ends and from
    // random starts between, two to seventeen bytes long; each also with its
    // middle byte changed, so first and last bytes match where it does not.
    for (std::size_t k = 0; k < 24 && n >= 2; ++k) {
      std::size_t start = k < 12 ? std::min(k, n - 2) : k < 20 ? n - 2 - std::min(k - 12, n - 2) : pick(n - 1);
      std::size_t length = 2 + pick(std::min<std::size_t>(16, n - start - 1));
      std::string piece(view.substr(start, length));
      needles.push_back(piece);
      if (piece.size() >= 3) {
        piece[piece.size() / 2] = static_cast<char>(piece[piece.size() / 2] ^ 1);
        needles.push_back(piece);
      }
    }
    for (const std::string& needle : needles) {
      for (std::size_t pos : {std::size_t{0}, pick(n + 1), n > 0 ? n - 1 : 0, n, n + 1}) {
        const std::size_t expected = view.find(needle, pos);
        ASSERT_EQ(FindBytes(view, needle, pos), expected) << "round " << round << " pos " << pos;
        for (ByteWidth w : widths) {
          ASSERT_EQ(FindBytes(w, view, needle, pos), expected)
              << "width " << static_cast<int>(w) << " round " << round << " pos " << pos;
        }
      }
    }

    // Line counts, over the text and over newline runs, every fourth one
    // unbroken so that every byte counter fills.
    Buffer lines(n * 5, shift);
    for (std::size_t i = 0; i < lines.size; ++i) lines.data[i] = round % 4 != 0 && pick(64) == 0 ? 'x' : '\n';
    for (std::string_view bytes : {view, lines.View()}) {
      const auto expected = static_cast<std::uint64_t>(std::count(bytes.begin(), bytes.end(), '\n'));
      ASSERT_EQ(CountNewlines(bytes), expected) << "round " << round;
      for (ByteWidth w : widths) ASSERT_EQ(CountNewlines(w, bytes), expected) << static_cast<int>(w);
    }

    // Lowering: plain text, or one refused byte anywhere, the ends included.
    Buffer ascii(n, shift);
    for (std::size_t i = 0; i < n; ++i) ascii.data[i] = asciiBytes[pick(asciiBytes.size())];
    if (n > 0 && round % 2 == 1) {
      const std::size_t at = round % 6 == 1 ? 0 : round % 6 == 3 ? n - 1 : pick(n);
      ascii.data[at] = refused[pick(refused.size())];
    }
    std::string expected;
    const bool plain = PlainAsciiReference(ascii.View(), expected);
    for (ByteWidth w : widths) {
      Buffer out(n, shift);
      ASSERT_EQ(LowerPlainAscii(w, ascii.View(), out.data), plain) << static_cast<int>(w) << " round " << round;
      if (plain) {
        ASSERT_EQ(out.View(), expected) << static_cast<int>(w);
      }
    }
    Buffer out(n, 0);
    ASSERT_EQ(LowerPlainAscii(ascii.View(), out.data), plain);
  }
}

}  // namespace
}  // namespace quill
