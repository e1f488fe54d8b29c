// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a program's manual page (scdoc markup) or shell completion from its
// help tables, at build time: quillmark-docgen man|bash|zsh PROGRAM OUTPUT.
#include <cstdio>
#include <string>
#include <string_view>

#include "base/FileIo.h"
#include "cli/Help.h"
#include "quillmark/BuildVersion.h"

int main(int argc, char** argv) {
  using namespace quill::cli;
  if (argc != 4) {
    std::fputs("usage: quillmark-docgen man|bash|zsh quillmark|quillmark-cli OUTPUT\n", stderr);
    return 2;
  }
  const std::string_view kind = argv[1];
  const std::string_view program = argv[2];
  const ProgramHelp* help = program == "quillmark-cli" ? &CliHelp() : program == "quillmark" ? &WindowHelp() : nullptr;
  std::string text;
  if (help && kind == "man") {
    text = ManPageScdoc(*help, quill::build::kFileVersion);
  } else if (help && kind == "bash") {
    text = BashCompletion(*help);
  } else if (help && kind == "zsh") {
    text = ZshCompletion(*help);
  } else {
    std::fprintf(stderr, "quillmark-docgen: unknown kind or program: %s %s\n", argv[1], argv[2]);
    return 2;
  }
  quill::AtomicFileWriter out;
  if (!out.Open(argv[3], false)) {
    std::fprintf(stderr, "quillmark-docgen: cannot write %s\n", argv[3]);
    return 1;
  }
  out.Write(text);
  if (!out.Commit()) {
    std::fprintf(stderr, "quillmark-docgen: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
