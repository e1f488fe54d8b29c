// SPDX-License-Identifier: GPL-3.0-or-later
// The manual pages and shell completions, written from the help tables.
#include <cctype>

#include "cli/Help.h"
#include "quillmark/ProjectLinks.h"

namespace quill::cli {
namespace {

// Text in scdoc: its markup characters taken literally.
std::string ScdocText(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '*' || c == '_' || c == '\\') out += '\\';
    out += c;
  }
  // A line that begins with "-" or "#" would be a list item or a heading.
  if (!out.empty() && (out[0] == '-' || out[0] == '#')) out.insert(0, "\\");
  return out;
}

bool IsPlaceholder(std::string_view word) {
  bool upper = false;
  for (char c : word) {
    if (std::islower(static_cast<unsigned char>(c))) return false;
    if (std::isupper(static_cast<unsigned char>(c))) upper = true;
  }
  return upper;
}

// A usage in scdoc: options bold, placeholders underlined, the rest as it is.
std::string ScdocUsage(std::string_view usage) {
  std::string out;
  std::size_t i = 0;
  while (i < usage.size()) {
    const char c = usage[i];
    if (c == ' ' || c == '[' || c == ']' || c == '|') {
      out += c;
      ++i;
      continue;
    }
    std::size_t end = usage.find_first_of(" []|", i);
    if (end == std::string_view::npos) end = usage.size();
    std::string_view word = usage.substr(i, end - i);
    // "INPUT..." underlines INPUT alone.
    std::size_t dots = 0;
    while (dots + 1 < word.size() && word[word.size() - 1 - dots] == '.') ++dots;
    const std::string_view tail = word.substr(word.size() - dots);
    word.remove_suffix(dots);
    if (word[0] == '-' && word.size() > 1) {
      out += "*" + ScdocText(word) + "*";
    } else if (IsPlaceholder(word)) {
      out += "_" + ScdocText(word) + "_";
    } else {
      out += ScdocText(word);
    }
    out += tail;
    i = end;
  }
  return out;
}

void AppendScdocOptions(std::string& out, const std::vector<HelpOption>& options) {
  for (const HelpOption& o : options) {
    if (!o.shortName.empty()) out += "*" + ScdocText(o.shortName) + "*, ";
    out += "*" + ScdocText(o.name) + "*";
    if (!o.value.empty()) out += " " + ScdocUsage(o.value);
    out += "\n\t" + ScdocText(o.text) + "\n\n";
  }
}

void AppendScdocParagraphs(std::string& out, const std::vector<std::string>& paragraphs) {
  for (const std::string& p : paragraphs) out += ScdocText(p) + "\n\n";
}

// A word in single quotes for a shell script.
std::string ShellWord(std::string_view word) {
  std::string out = "'";
  for (char c : word) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

std::string ShellWords(const std::vector<std::string>& words) {
  std::string joined;
  for (const std::string& w : words) joined += (joined.empty() ? "" : " ") + w;
  return ShellWord(joined);
}

std::string FunctionName(const std::string& program) {
  std::string name = "_";
  for (char c : program) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

std::string OperandCompletion(ValueKind kind) {
  switch (kind) {
    case ValueKind::kFile:
      return "_quill_files";
    case ValueKind::kDevice:
      return "_quill_devices";
    default:
      return ":";
  }
}

// The shell lines that complete the value of each option that takes one.
std::string BashValueCases(const std::vector<HelpOption>& options, const std::string& indent) {
  std::string out;
  for (const HelpOption& o : options) {
    if (o.value.empty()) continue;
    out += indent + o.name + ") ";
    switch (o.kind) {
      case ValueKind::kChoice: {
        bool joined = !o.choices.empty() && o.choices.front().back() == '=';
        out += std::string(joined ? "compopt -o nospace 2>/dev/null; " : "") + "_quill_words " + ShellWords(o.choices);
        break;
      }
      default:
        out += OperandCompletion(o.kind);
        break;
    }
    out += "; return ;;\n";
  }
  return out;
}

std::vector<std::string> OptionWords(const std::vector<HelpOption>& options) {
  std::vector<std::string> words;
  for (const HelpOption& o : options) {
    words.push_back(o.name);
    if (!o.shortName.empty()) words.push_back(o.shortName);
  }
  return words;
}

// A description for zsh: the option's text up to its first pause.
std::string ZshDescription(std::string_view text) {
  std::size_t end = text.find_first_of(":;(");
  std::string_view shortText = text.substr(0, end);
  while (!shortText.empty() && shortText.back() == ' ') shortText.remove_suffix(1);
  std::string out;
  for (char c : shortText) {
    if (c == '[' || c == ']' || c == ':' || c == '\\') out += '\\';
    out += c == '\'' ? '"' : c;
  }
  return out;
}

std::string ZshOptionLines(const std::vector<HelpOption>& options) {
  std::string out;
  for (const HelpOption& o : options) {
    const bool repeatable = o.name == "--filter";
    std::string line =
        (repeatable ? "*" : "") + o.name + (o.value.empty() ? "" : "=") + "[" + ZshDescription(o.text) + "]";
    if (!o.value.empty()) {
      std::string message;
      for (char c : o.value) message += c == ':' ? ' ' : c;
      line += ":" + message + ":";
      if (o.kind == ValueKind::kChoice) {
        std::string words;
        for (const std::string& w : o.choices) words += (words.empty() ? "" : " ") + w;
        // "type=" is a start: no space after it.
        const bool joined = !o.choices.empty() && o.choices.front().back() == '=';
        line += joined ? "{compadd -S \"\" -- " + words + "}" : "(" + words + ")";
      } else if (o.kind == ValueKind::kFile) {
        line += "_files";
      } else if (o.kind == ValueKind::kDevice) {
        line += "_files -W /dev";
      } else {
        line += " ";
      }
    }
    out += "    " + ShellWord(line) + " \\\n";
    if (!o.shortName.empty()) {
      out += "    " + ShellWord(o.shortName + "[" + ZshDescription(o.text) + "]") + " \\\n";
    }
  }
  return out;
}

std::string ZshOperandLine(ValueKind kind) {
  switch (kind) {
    case ValueKind::kFile:
      return "    '*:file:_files'\n";
    case ValueKind::kDevice:
      return "    ':device:_files -W /dev'\n";
    case ValueKind::kText:
      return "    ':text: '\n";
    default:
      return "    \n";
  }
}

}  // namespace

std::string ManPageScdoc(const ProgramHelp& program, std::string_view version) {
  std::string out = program.program + "(1) \"Quillmark " + std::string(version) + "\"\n\n";
  out += "# NAME\n\n" + program.program + " - " + ScdocText(program.title) + "\n\n";
  out += "# SYNOPSIS\n\n";
  for (const std::string& s : program.synopsis) out += "*" + program.program + "* " + ScdocUsage(s) + "\n\n";
  out += "# DESCRIPTION\n\n";
  AppendScdocParagraphs(out, program.text);
  out += "# OPTIONS\n\n";
  AppendScdocOptions(out, program.options);
  if (!program.commands.empty()) {
    out += "# COMMANDS\n\n";
    for (const HelpCommand& c : program.commands) {
      out += "## " + c.name + "\n\n";
      for (const std::string& s : c.synopsis) {
        out += "*" + program.program + " " + c.name + "*" + (s.empty() ? "" : " " + ScdocUsage(s)) + "\n\n";
      }
      AppendScdocParagraphs(out, c.text);
      AppendScdocOptions(out, c.options);
    }
  }
  for (const HelpSection& s : program.sections) {
    out += "# " + s.title + "\n\n";
    AppendScdocParagraphs(out, s.text);
    for (const HelpExample& e : s.examples) {
      out += ScdocText(e.text) + "\n\n```\n" + e.command + "\n```\n\n";
    }
  }
  out += "# REPORTING BUGS\n\n" + ScdocText(BugReportText()) + " The home page is " + ScdocText(build::kHomepage) +
         ".\n\n";
  out += "# SEE ALSO\n\n";
  for (std::size_t i = 0; i < program.seeAlso.size(); ++i) {
    const std::string& page = program.seeAlso[i];
    const std::size_t paren = page.find('(');
    out += (i ? ", *" : "*") + ScdocText(page.substr(0, paren)) + "*" + page.substr(paren);
  }
  return out + "\n";
}

std::string BashCompletion(const ProgramHelp& program) {
  const std::string fn = FunctionName(program.program);
  std::string out = "# bash completion for " + program.program +
                    "\n# Written from the program's help text when it is built; edit the help, not this file.\n\n";
  out += fn + "()\n{\n";
  out += R"(    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    # "--opt=value" reaches here as "--opt" "=" "value".
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = && $COMP_CWORD -ge 2 ]]; then
        prev=${COMP_WORDS[COMP_CWORD-2]}
    fi
    _quill_words() { mapfile -t COMPREPLY < <(compgen -W "$1" -- "$cur"); }
    _quill_files() { compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- "$cur"); }
    _quill_devices() { mapfile -t COMPREPLY < <(compgen -f -- "${cur:-/dev/tty}"); }
)";
  const std::vector<std::string> programWords = OptionWords(program.options);
  if (program.commands.empty()) {
    out += "    case $prev in\n" + BashValueCases(program.options, "    ") + "    esac\n";
    out += "    if [[ $cur == -* ]]; then _quill_words " + ShellWords(programWords) + "; return; fi\n";
    out += "    _quill_files\n}\n";
  } else {
    std::vector<std::string> first;
    for (const HelpCommand& c : program.commands) first.push_back(c.name);
    first.insert(first.end(), programWords.begin(), programWords.end());
    out += "    if ((COMP_CWORD == 1)); then _quill_words " + ShellWords(first) + "; return; fi\n";
    out += "    case ${COMP_WORDS[1]} in\n";
    for (const HelpCommand& c : program.commands) {
      out += "    " + c.name + ")\n";
      out += "        case $prev in\n" + BashValueCases(c.options, "        ") + "        esac\n";
      out += "        if [[ $cur == -* ]]; then _quill_words " + ShellWords(OptionWords(c.options)) + "; return; fi\n";
      if (!c.firstWords.empty()) {
        out += "        if ((COMP_CWORD == 2)); then _quill_words " + ShellWords(c.firstWords) + "; return; fi\n";
      }
      out += "        " + OperandCompletion(c.operands) + "\n        ;;\n";
    }
    out += "    esac\n}\n";
  }
  return out + "complete -F " + fn + " " + program.program + "\n";
}

std::string ZshCompletion(const ProgramHelp& program) {
  const std::string fn = "_" + program.program;
  std::string out = "#compdef " + program.program +
                    "\n# Written from the program's help text when it is built; "
                    "edit the help, not this file.\n\n";
  if (program.commands.empty()) {
    out += "_arguments -S \\\n" + ZshOptionLines(program.options) + "    '*:file:_files'\n";
    return out;
  }
  out += fn + "() {\n  local -a commands\n  commands=(\n";
  for (const HelpCommand& c : program.commands) {
    out += "    " + ShellWord(c.name + ":" + ZshDescription(c.summary)) + "\n";
  }
  out += "  )\n  if (( CURRENT == 2 )); then\n    _describe -t commands command commands\n    _arguments \\\n" +
         ZshOptionLines(program.options) + "    \n    return\n  fi\n";
  out += "  local command=$words[2]\n  shift words\n  (( CURRENT-- ))\n  case $command in\n";
  for (const HelpCommand& c : program.commands) {
    out += "  " + c.name + ")\n    _arguments -S \\\n" + ZshOptionLines(c.options);
    if (!c.firstWords.empty()) {
      std::string words;
      for (const std::string& w : c.firstWords) words += (words.empty() ? "" : " ") + w;
      out += "    " + ShellWord(":action:(" + words + ")") + " \\\n";
    }
    out += ZshOperandLine(c.operands) + "    ;;\n";
  }
  out += "  esac\n}\n\n" + fn + " \"$@\"\n";
  return out;
}

}  // namespace quill::cli
