// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cuts a stream of chunks into lines for the line-based readers. Each line is
// handed over with its LF, if it had one, as a C stream would return it. The
// buffer grows with the line, but a line longer than maxLine bytes keeps only
// its first maxLine bytes: no waypoint line is that long, and memory stays
// bounded whatever the file holds.
#include <cstddef>
#include <string>
#include <string_view>

namespace quill {

class LineSplitter {
 public:
  static constexpr std::size_t kDefaultMaxLine = 1 << 20;

  explicit LineSplitter(std::size_t maxLine = kDefaultMaxLine) : maxLine_(maxLine) {}

  // Calls onLine(std::string&) for every complete line in bytes.
  template <typename F>
  void Feed(std::string_view bytes, F&& onLine) {
    while (!bytes.empty()) {
      std::size_t nl = bytes.find('\n');
      std::size_t take = nl == std::string_view::npos ? bytes.size() : nl + 1;
      Append(bytes.substr(0, take));
      bytes.remove_prefix(take);
      if (nl != std::string_view::npos) {
        if (cut_) line_.push_back('\n');
        onLine(line_);
        line_.clear();
        cut_ = false;
      }
    }
  }
  // The last line, when the file does not end with LF.
  template <typename F>
  void Finish(F&& onLine) {
    if (!line_.empty()) onLine(line_);
    line_.clear();
    cut_ = false;
  }

 private:
  void Append(std::string_view piece) {
    if (cut_) return;
    if (line_.size() + piece.size() > maxLine_) {
      line_.append(piece.substr(0, maxLine_ - line_.size()));
      cut_ = true;
      return;
    }
    line_.append(piece);
  }

  std::size_t maxLine_;
  std::string line_;
  bool cut_ = false;
};

}  // namespace quill
