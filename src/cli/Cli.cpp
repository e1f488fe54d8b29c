// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <string_view>

#include "formats/FormatTable.h"
#include "list/ListSort.h"
#include "settings/ProgramVersion.h"

namespace quill::cli {

namespace {

using CommandFn = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct Command {
  std::string_view name;
  CommandFn run;
};

constexpr std::array<Command, 9> kCommands = {{
    {"convert", &RunConvert},
    {"list", &RunList},
    {"coord", &RunCoord},
    {"open", &RunOpen},
    {"letters", &RunLetters},
    {"gps", &RunGps},
    {"ftp", &RunFtp},
    {"page", &RunPage},
    {"link", &RunLink},
}};

// Lines of at most 90 characters: words after the first line indented to
// the column where the first began.
std::string Wrapped(std::string_view first, const std::string& words, std::size_t indent) {
  std::string text(first);
  std::size_t lineStart = 0;
  std::size_t start = 0;
  while (start < words.size()) {
    std::size_t end = words.find(' ', start);
    if (end == std::string::npos) end = words.size();
    if (text.size() - lineStart + 1 + (end - start) > 90) {
      text += '\n';
      lineStart = text.size();
      text.append(indent, ' ');
    } else if (text.size() > lineStart && text.back() != ' ') {
      text += ' ';
    }
    text.append(words, start, end - start);
    start = end + 1;
  }
  return text + '\n';
}

// The names of formats and orders come from their tables.
const std::string& Usage() {
  static const std::string usage =
      "usage: quillmark-cli COMMAND [options]\n"
      "       quillmark-cli --help | --version\n"
      "  convert [options] INPUT... OUTPUT\n"
      "    --format " +
      FormatNames("|", "|") + "   (default: by OUTPUT's extension)\n" +
      "    --txt-mode wgs84|ed50|bessel|rd|lambert|utm|ecef   (notation of a text save)\n"
      "    --duplicates keep|replace|allow                    (default allow)\n"
      "    --no-groundspeak                                   (drop the Groundspeak cache data)\n"
      "    --home TEXT                                        (home position, e.g. \"N 52 05.1 E 5 07.2\")\n" +
      Wrapped("    --sort ORDER          ", SortOrderNames(" "), 26) +
      "    --filter MODE=VALUE   repeatable, applied in order; MODE is one of name description\n"
      "                          placedby terrain-max terrain-min difficulty-max difficulty-min\n"
      "                          country distance-max type container real found archived logs\n"
      "    --rename PATTERN      %n name, %d description, %u link text\n"
      "  list [options] INPUT...\n"
      "    the options of convert, and --columns A,B (default description,timestamp), A and B of\n"
      "    description comment urlname timestamp dist datefound placedby logs difficulty country state;\n"
      "    prints one line per waypoint: name, latitude, longitude, A, B, separated by tabs\n"
      "  coord [--json] [--datum wgs84|ed50|bessel] [--south] [--west] --latlon NORTH [EAST]\n"
      "  coord [--json] --rd TEXT | --lambert TEXT | --utm TEXT | --ecef TEXT\n"
      "    show one position in every notation, as the converter panel does\n"
      "  open FILE\n"
      "    hand FILE to the running window, which loads it\n"
      "  letters [--class alpha|ascii|lower|upper|numeric|hex|all] TEXT\n"
      "    the letter-frequency histogram's count listing of TEXT (default class ascii)\n"
      "  gps [--baud N] [--once] DEVICE\n"
      "    NMEA 0183 from a serial GPS receiver (default 4800 baud); one line per fix until\n"
      "    interrupted: latitude, longitude, altitude (m, - unknown), satellites, tab-separated;\n"
      "    --once stops after the first fix\n"
      "  ftp download [FTP options] OUTPUT\n"
      "  ftp upload [FTP options] [--duplicates keep|replace|allow] [--no-groundspeak] INPUT...\n"
      "    fetch the favorite list into OUTPUT, or send INPUT... (merged, as GPX) as the favorite list;\n"
      "    a single GPX INPUT (no --duplicates keep|replace, no --no-groundspeak) goes up byte for byte;\n"
      "    --host H (name, name:port or ftps://name[:port] for TLS), --user U, --dir D, --name F,\n"
      "    --active | --passive, --timeout SECONDS; the settings' values are the defaults, the\n"
      "    password is the settings' one or QUILLMARK_FTP_PASSWORD\n"
      "  page [--template FILE] NAME INPUT... OUTPUT.htm\n"
      "    the offline cache page of the first waypoint named NAME, with its images beside it;\n"
      "    exit 1 when no waypoint has that name or the template is missing\n"
      "  link [--real-web-link] NAME INPUT...\n"
      "    print the web address \"Web Link\" opens for the first waypoint named NAME (nothing\n"
      "    when it has none; exit 1 for a link that is not http or https)\n";
  return usage;
}

}  // namespace

std::vector<std::string_view> CommandNames() {
  std::vector<std::string_view> names;
  for (const Command& c : kCommands) names.push_back(c.name);
  return names;
}

int UsageError(std::ostream& err, const std::string& message) {
  if (!message.empty()) err << "quillmark-cli: " << message << "\n";
  err << Usage();
  return 2;
}

namespace {
bool commandsEndProcess = false;
}  // namespace

void LetCommandsEndProcess(bool yes) { commandsEndProcess = yes; }

int EndCommand(int status, std::ostream& out, std::ostream& err) {
  if (!commandsEndProcess) return status;
  out.flush();
  err.flush();
  std::fflush(nullptr);
  std::_Exit(status);
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError(err, "no command given");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    out << Usage();
    return 0;
  }
  if (args[0] == "--version" || args[0] == "-V") {
    out << VersionReport("quillmark-cli");
    return 0;
  }
  for (const Command& c : kCommands) {
    if (args[0] == c.name) {
      std::vector<std::string> rest(args.begin() + 1, args.end());
      return c.run(rest, out, err);
    }
  }
  return UsageError(err, "unknown command '" + args[0] + "'");
}

}  // namespace quill::cli
