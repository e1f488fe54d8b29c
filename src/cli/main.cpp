// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "cli/Cli.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  quill::cli::LetCommandsEndProcess(true);
  return quill::cli::Run(args, std::cout, std::cerr);
}
