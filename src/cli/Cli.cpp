#include "cli/Cli.h"

#include <array>
#include <ostream>
#include <string_view>

namespace quill::cli {

namespace {

using CommandFn = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct Command {
  std::string_view name;
  CommandFn run;
};

constexpr std::array<Command, 2> kCommands = {{
    {"convert", &RunConvert},
    {"open", &RunOpen},
}};

constexpr const char* kUsage =
    "usage: quillmark-cli COMMAND [options]\n"
    "  convert [options] INPUT... OUTPUT\n"
    "    --format gpx|loc|ov2|txt|kml|miomap|garmin|navio   (default: by OUTPUT's extension)\n"
    "    --txt-mode wgs84|ed50|bessel|rd|lambert|utm|ecef   (notation of a text save)\n"
    "    --duplicates keep|replace|allow                    (default allow)\n"
    "    --no-groundspeak                                   (drop the Groundspeak cache data)\n"
    "  open FILE                                            (hand FILE to the running window)\n";

}  // namespace

int UsageError(std::ostream& err, const std::string& message) {
  if (!message.empty()) err << "quillmark-cli: " << message << "\n";
  err << kUsage;
  return 2;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError(err, "no command given");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    out << kUsage;
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
