// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli letters: the histogram's count listing of one text.
#include <ostream>
#include <string_view>

#include "cli/Cli.h"
#include "text/Ansi.h"
#include "tools/LetterFrequency.h"

namespace quill::cli {

int RunLetters(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  LetterClass cls = LetterClass::Ascii;
  std::vector<std::string> texts;
  bool optionsDone = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsDone || arg.empty() || arg[0] != '-' || arg == "-") {
      texts.push_back(arg);
    } else if (arg == "--") {
      optionsDone = true;
    } else if (arg == "--class" || arg.rfind("--class=", 0) == 0) {
      std::string name;
      if (arg.size() > 7) {
        name = arg.substr(8);
      } else if (i + 1 < args.size()) {
        name = args[++i];
      } else {
        return UsageError(err, "--class needs a value");
      }
      if (!LetterClassForName(name, cls)) {
        return UsageError(err, "unknown class '" + name + "' (alpha ascii lower upper numeric hex all)");
      }
    } else {
      return UsageError(err, "unknown option '" + arg + "'");
    }
  }
  if (texts.size() != 1) return UsageError(err, "letters needs exactly one TEXT");
  const std::string listing = LetterListing(cls, ClassBars(CountText(Utf8ToAnsi(texts[0])), cls));
  // The listing's CR LF line ends become the terminal's LF.
  std::string text = AnsiToUtf8(listing);
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    shown += text[i];
  }
  out << shown << "\n";
  return out.good() ? 0 : 1;
}

}  // namespace quill::cli
