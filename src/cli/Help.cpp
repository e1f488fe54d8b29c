// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Help.h"

#include "formats/FormatTable.h"
#include "list/ListColumns.h"
#include "list/ListFilter.h"
#include "list/ListSort.h"
#include "list/WaypointType.h"
#include "quillmark/ProjectLinks.h"
#include "tools/LetterFrequency.h"

namespace quill::cli {
namespace {

constexpr std::size_t kWidth = 79;
constexpr std::size_t kOptionColumn = 24;
// The type the filter option's help takes as its example.
constexpr int kExampleType = CodeOf(WaypointType::TraditionalCache);

std::string Joined(const std::vector<std::string>& words, std::string_view separator, std::string_view last) {
  std::string text;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += i + 1 == words.size() ? last : separator;
    text += words[i];
  }
  return text;
}

std::vector<std::string> SaveFormatNames() {
  std::vector<std::string> names;
  for (int code = 0; const FileFormat* f = FormatForCode(code); ++code) names.emplace_back(f->name);
  return names;
}

std::vector<std::string> SortNames() {
  std::vector<std::string> names;
  for (int i = 0; i < kSortOrderCount; ++i) names.emplace_back(SortOrderName(static_cast<SortOrder>(i)));
  return names;
}

std::vector<std::string> FilterNames(std::string_view suffix) {
  std::vector<std::string> names;
  for (int i = 0; i < kFilterModeCount; ++i) names.push_back(std::string(FilterModeName(i)) + std::string(suffix));
  return names;
}

std::vector<std::string> ColumnNames() {
  std::vector<std::string> names;
  for (int i = 0; i < kColumnModeCount; ++i) names.emplace_back(ColumnModeName(i));
  return names;
}

std::vector<std::string> LetterClassNames() {
  std::vector<std::string> names;
  for (int i = 0; i < kLetterClassCount; ++i) names.emplace_back(LetterClassName(static_cast<LetterClass>(i)));
  return names;
}

const std::vector<std::string> kTxtModes = {"wgs84", "ed50", "bessel", "rd", "lambert", "utm", "ecef"};
const std::vector<std::string> kDuplicateModes = {"keep", "replace", "allow"};
const std::vector<std::string> kDatums = {"wgs84", "ed50", "bessel"};

HelpOption Flag(std::string name, std::string text) {
  return {std::move(name), {}, {}, std::move(text), ValueKind::kNone, {}};
}

HelpOption Valued(std::string name, std::string value, std::string text, ValueKind kind = ValueKind::kText) {
  return {std::move(name), {}, std::move(value), std::move(text), kind, {}};
}

HelpOption Choice(std::string name, std::string value, std::string text, std::vector<std::string> choices) {
  return {std::move(name), {}, std::move(value), std::move(text), ValueKind::kChoice, std::move(choices)};
}

HelpOption HelpFlag(std::string text) { return {"--help", "-h", {}, std::move(text), ValueKind::kNone, {}}; }

HelpOption FormatOption() {
  return Choice(
      "--format", "NAME",
      "save format: " + FormatNames(", ", " or ") + " (default: by OUTPUT's extension; needed when OUTPUT is -)",
      SaveFormatNames());
}

HelpOption TxtModeOption() {
  return Choice("--txt-mode", "MODE", "notation of a txt save: " + Joined(kTxtModes, ", ", " or ") + " (default wgs84)",
                kTxtModes);
}

HelpOption InputFormatOption() {
  return Choice("--input-format", "NAME",
                "read every INPUT as gpx, loc, ov2, txt, csv or zip, whatever its name (default: by the extension, "
                "else by the content)",
                {"gpx", "loc", "ov2", "txt", "csv", "zip"});
}

HelpOption DuplicatesOption() {
  return Choice("--duplicates", "keep|replace|allow",
                "a waypoint whose name is in the list already: keep the first, replace it, or allow both "
                "(default allow)",
                kDuplicateModes);
}

HelpOption NoGroundspeakOption() {
  return Flag("--no-groundspeak", "leave out the Groundspeak cache data (hints, logs, attributes) as files load");
}

// The options of convert and list that act on the loaded list.
std::vector<HelpOption> ListOptions() {
  return {
      Valued("--home", "TEXT", "home position for the distance sort, filter and column, e.g. \"N 52 05.1 E 5 07.2\""),
      Choice("--sort", "ORDER", "sort the list by " + Joined(SortNames(), ", ", " or "), SortNames()),
      Choice("--filter", "MODE=VALUE",
             "keep the waypoints that match; repeatable, applied in order. MODE is " +
                 Joined(FilterNames(""), ", ", " or ") +
                 "; VALUE is what the filter dialog takes, e.g. type=" + std::string(TypeName(kExampleType)) +
                 " or type=" + std::to_string(kExampleType) + ", found=no, container=Small, distance-max=10",
             FilterNames("=")),
      Valued("--rename", "PATTERN", "rename every shown waypoint: %n name, %d description, %u link text"),
  };
}

std::vector<HelpOption> Concat(std::vector<std::vector<HelpOption>> groups) {
  std::vector<HelpOption> all;
  for (auto& group : groups) {
    for (auto& option : group) all.push_back(std::move(option));
  }
  return all;
}

const std::string kCommandHelp = "show this command's help and exit";

std::vector<HelpCommand> CliCommands() {
  std::vector<HelpCommand> commands;

  commands.push_back(
      {"convert",
       {"[options] INPUT... OUTPUT"},
       "load the inputs into one list and save it",
       {"Loads the INPUT files in order into one list, applies --sort, --filter and --rename in the order given, and "
        "saves the shown list as OUTPUT in the format --format names, else the one OUTPUT's extension chooses."},
       Concat({{FormatOption(), TxtModeOption(), InputFormatOption(), DuplicatesOption(), NoGroundspeakOption()},
               ListOptions(),
               {HelpFlag(kCommandHelp)}}),
       {},
       ValueKind::kFile});

  HelpOption columns = Choice(
      "--columns", "A,B",
      "the fourth and fifth column, two of " + Joined(ColumnNames(), ", ", " or ") + " (default description,timestamp)",
      ColumnNames());
  commands.push_back(
      {"list",
       {"[options] INPUT..."},
       "print one tab-separated line per waypoint",
       {"Loads the INPUT files as convert does and prints one line per shown waypoint: its name, latitude, "
        "longitude and the two columns --columns chooses, separated by tabs."},
       Concat({{InputFormatOption(), DuplicatesOption(), NoGroundspeakOption()},
               ListOptions(),
               {columns, HelpFlag(kCommandHelp)}}),
       {},
       ValueKind::kFile});

  commands.push_back(
      {"coord",
       {"[--json] [--datum wgs84|ed50|bessel] [--south] [--west] --latlon NORTH [EAST]",
        "[--json] --rd TEXT | --lambert TEXT | --utm TEXT | --ecef TEXT"},
       "show a position in every notation",
       {"Converts one position as the converter panel's buttons do and prints every notation on a line of its own, "
        "\"Label: text\": Degrees, Degrees, minutes, Degrees, min, sec, RD (dutch grid), Lambert72 (belgian grid), "
        "UTM, ECEF (XYZ) and Altitude.",
        "With - as the position, reads one position per line from standard input and prints one line for each: the "
        "eight texts in that order, separated by tabs, or one JSON object with --json. A line without a number, or "
        "off the earth, gives an empty line (null with --json) and a message on standard error, and the exit status "
        "is 1."},
       {Valued("--latlon", "NORTH [EAST]",
               "latitude and longitude as the converter reads them, e.g. \"N 52 05.366 E 5 06.610\" or 52.0894 "
               "5.1102; NORTH may hold both"),
        Valued("--rd", "TEXT", "Dutch RD grid, x and y in metres, e.g. \"136013 455723\""),
        Valued("--lambert", "TEXT", "Belgian Lambert72 grid, x and y in metres"),
        Valued("--utm", "TEXT", "UTM zone, easting and northing, e.g. \"31U 644567 5773087\""),
        Valued("--ecef", "TEXT", "earth-centred X, Y and Z in metres"),
        Choice("--datum", "NAME", "datum of --latlon: wgs84, ed50 or bessel (default wgs84)", kDatums),
        Flag("--south", "the latitude is south (the panel's N/S box)"),
        Flag("--west", "the longitude is west (the panel's E/W box)"),
        Flag("--json", "print one JSON object: lat, lon, height, the eight texts, rd_in_range, lambert_in_range"),
        HelpFlag(kCommandHelp)},
       {},
       ValueKind::kNone});

  commands.push_back({"open",
                      {"FILE"},
                      "hand a file to the running window",
                      {"Sends FILE to this user's Quillmark window, which loads it into its list."},
                      {HelpFlag(kCommandHelp)},
                      {},
                      ValueKind::kFile});

  commands.push_back(
      {"letters",
       {"[--class CLASS] TEXT"},
       "count the letters of a text",
       {"Prints the letter-frequency listing of the histogram window for TEXT."},
       {Choice("--class", "CLASS",
               "the characters counted: " + Joined(LetterClassNames(), ", ", " or ") + " (default ascii)",
               LetterClassNames()),
        HelpFlag(kCommandHelp)},
       {},
       ValueKind::kText});

  commands.push_back(
      {"gps",
       {"[--baud N] [--once] DEVICE"},
       "read positions from a serial GPS receiver",
       {"Reads NMEA 0183 from the serial DEVICE, such as /dev/ttyUSB0, and prints one line per fix until "
        "interrupted: latitude, longitude, altitude in metres (- when unknown) and the number of satellites, "
        "separated by tabs."},
       {Valued("--baud", "N", "the line speed (default 4800)"), Flag("--once", "stop after the first fix"),
        HelpFlag(kCommandHelp)},
       {},
       ValueKind::kDevice});

  commands.push_back(
      {"ftp",
       {"download [FTP options] OUTPUT",
        "upload [FTP options] [--duplicates keep|replace|allow] [--no-groundspeak] "
        "INPUT..."},
       "fetch or send the favorite list",
       {"download fetches the favorite list from the FTP server into OUTPUT; upload sends the INPUT files, merged "
        "into one GPX list, as the favorite list. A single GPX INPUT, without --duplicates keep or replace and "
        "without --no-groundspeak, goes up byte for byte.",
        "The window's settings give the defaults of the FTP options. The password is the settings' one, or "
        "QUILLMARK_FTP_PASSWORD's; never an argument. A field holding a control character is refused before "
        "anything is sent.",
        "A transfer may take five minutes in all (longer with --timeout or the FtpTimeLimit setting, in seconds), "
        "a download 1 GiB; a download longer or shorter than the server announced fails and writes nothing. "
        "Interrupted, the command leaves no temporary file behind."},
       {Valued("--host", "HOST", "the server: name, name:port, or ftps://name[:port] for TLS"),
        Valued("--user", "USER", "the user name on the server"), Valued("--dir", "FOLDER", "the folder on the server"),
        Valued("--name", "FILE", "the file name on the server"),
        Flag("--active", "active FTP: the server connects back"), Flag("--passive", "passive FTP"),
        Valued("--timeout", "SECONDS", "give up after 1 to 3600 seconds without progress"), DuplicatesOption(),
        NoGroundspeakOption(), HelpFlag(kCommandHelp)},
       {"download", "upload"},
       ValueKind::kFile});

  commands.push_back(
      {"devices",
       {""},
       "list the GPS receivers plugged in as USB drives",
       {"Prints one tab-separated line per GPS receiver mounted as a drive (a volume holding "
        "Garmin/GarminDevice.xml): its model, where it is mounted, its free space and the folder it reads GPX files "
        "from. Prints nothing, and says so on standard error, when none is plugged in."},
       {HelpFlag(kCommandHelp)},
       {},
       ValueKind::kNone});

  commands.push_back(
      {"send",
       {"[--device PATH] [--name NAME] [options] INPUT..."},
       "put waypoints on a GPS receiver",
       {"Loads the INPUT files as list does, applies --sort, --filter and --rename, and writes the shown waypoints "
        "as one GPX 1.0 file with their geocache data into the GPX folder of a GPS receiver plugged in as a USB "
        "drive, the folder its Garmin/GarminDevice.xml names (default Garmin/GPX). The file appears whole or not at "
        "all: a receiver that is unplugged or turns read-only during the write keeps no part of it.",
        "Without --device the one receiver plugged in is taken; with none, or several, the command exits 1 naming "
        "them. Exits 1 as well when the receiver lacks the space for the file."},
       Concat({{Valued("--device", "PATH", "the receiver's mount point, or any folder holding Garmin/GarminDevice.xml",
                       ValueKind::kFile),
                Valued("--name", "NAME",
                       "the file's name on the receiver; the GPX extension is added or takes the place of a waypoint "
                       "file's (default: the first INPUT's name)")},
               {InputFormatOption(), DuplicatesOption(), NoGroundspeakOption()},
               ListOptions(),
               {HelpFlag(kCommandHelp)}}),
       {},
       ValueKind::kFile});

  commands.push_back(
      {"page",
       {"[--template FILE] NAME INPUT... OUTPUT"},
       "write the offline cache page of a waypoint",
       {"Loads the INPUT files and writes the offline cache page of the first waypoint named NAME as OUTPUT, and "
        "the images the page shows into a folder of its own beside it, OUTPUT_files (for page.htm, page_files). "
        "Descriptions, hints and logs keep their text and harmless mark-up; anything that could run, fetch or "
        "redirect is taken out. With OUTPUT -, the page goes to standard output without its images.",
        "Exits 1 when no waypoint has that name, the template is missing, OUTPUT is a symbolic link or no "
        "regular file, or OUTPUT_files exists and is not the page's own."},
       {Valued("--template", "FILE", "the page template (default: the one shipped, html/default.htm)",
               ValueKind::kFile),
        InputFormatOption(), DuplicatesOption(), NoGroundspeakOption(), HelpFlag(kCommandHelp)},
       {},
       ValueKind::kFile});

  commands.push_back(
      {"link",
       {"[--real-web-link] NAME INPUT..."},
       "print the web address of a waypoint",
       {"Loads the INPUT files and prints the web address \"Web Link\" opens for the first waypoint named NAME; "
        "nothing when it has none. Exits 1 for a link that is not http or https."},
       {Flag("--real-web-link",
             "an additional waypoint (its name the cache's code behind another two-letter prefix) gives its "
             "cache's short link"),
        InputFormatOption(), DuplicatesOption(), NoGroundspeakOption(), HelpFlag(kCommandHelp)},
       {},
       ValueKind::kFile});

  commands.push_back(
      {"map",
       {"[options] [--size WxH] [--center LAT,LON] [--zoom Z] [--tiles TEMPLATE|settings] [--attribution TEXT] "
        "INPUT... OUTPUT.png"},
       "draw the shown waypoints on a map",
       {"Loads the INPUT files as list does and draws the shown waypoints as the map window shows them, each in its "
        "type's marker centred on its Web Mercator pixel, archived ones struck red, crowded places as bubbles with "
        "their count, and writes the picture as OUTPUT.png (with OUTPUT -, to standard output).",
        "Without --center and --zoom the map shows every shown waypoint. Without --tiles it is drawn on a plain "
        "background with labelled degree lines; with --tiles, on the map tiles of that address, fetched two at a "
        "time and kept in $XDG_CACHE_HOME/quillmark/tiles, so that a second drawing of the same place needs no "
        "network."},
       Concat({{InputFormatOption(), DuplicatesOption(), NoGroundspeakOption()},
               ListOptions(),
               {Valued("--size", "WxH", "the picture's width and height in pixels, each up to 4096 (default 1024x768)"),
                Valued("--center", "LAT,LON",
                       "the position in the middle of the picture, in decimal degrees, south and west negative"),
                Valued("--zoom", "Z", "the zoom level, 0 (the whole world) to 19 (a street)"),
                Valued("--tiles", "TEMPLATE",
                       "draw on map tiles from this address, {z}, {x} and {y} standing for the tile's numbers (e.g. "
                       "https://tile.openstreetmap.org/{z}/{x}/{y}.png), or settings for the window's tile address"),
                Valued("--attribution", "TEXT",
                       "the credit the tile server asks for, drawn in the lower right corner (known without it for "
                       "the OpenStreetMap tiles and the window's tile address)"),
                HelpFlag(kCommandHelp)}}),
       {},
       ValueKind::kFile});
  return commands;
}

ProgramHelp MakeCliHelp() {
  ProgramHelp p;
  p.program = "quillmark-cli";
  p.title = "waypoint files and positions on the command line";
  p.synopsis = {"COMMAND [options] [ARGUMENTS]", "COMMAND --help", "--help | --version"};
  p.text = {
      "quillmark-cli is the command line of Quillmark, over the same core as the window: it converts, lists and "
      "prints waypoint files (GPX with geocache data, LOC, TomTom OV2, TXT, CSV and ASC; pocket-query ZIP "
      "archives of GPX and LOC files as input; KML as output) and shows a "
      "position in every notation the converter knows.",
      "An INPUT or OUTPUT of - is standard input or standard output, so quillmark-cli works in pipes. An input "
      "whose extension names no format that reads, and standard input, are recognised by their content: GPX and "
      "LOC by their XML root element, OV2 by its records, TXT and CSV by their lines, ZIP by its signature; "
      "--input-format names the "
      "format instead. Output to standard output needs --format.",
      "Each error is one line on standard error that begins with the program's name and names the file."};
  p.options = {HelpFlag("show this help, or a command's help after its name, and exit"),
               {"--version", "-V", {}, "show the version and the data folder found, and exit", ValueKind::kNone, {}}};
  p.commands = CliCommands();
  p.sections = {
      {"EXIT STATUS",
       {"0 on success, 1 when a file could not be loaded or saved (or a command could not do its work), 2 on "
        "wrong usage."},
       {},
       true},
      {"ENVIRONMENT",
       {"QUILLMARK_FTP_PASSWORD: the FTP password of the ftp command, instead of the one in the settings.",
        "XDG_CONFIG_HOME: the settings live in $XDG_CONFIG_HOME/quillmark/HKEY_LOCAL_MACHINE.reg (default "
        "~/.config/quillmark/), which the window writes and the ftp command reads.",
        "XDG_CACHE_HOME: standard input and output pass through private files in $XDG_CACHE_HOME/quillmark/ "
        "(default ~/.cache/quillmark/); the map command keeps its tiles in its tiles folder.",
        "XDG_RUNTIME_DIR: the open command reaches the window through $XDG_RUNTIME_DIR/quillmark.sock."},
       {},
       false},
      {"EXAMPLES",
       {},
       {{"Convert a pocket query to a TomTom file, found caches left out:",
         "quillmark-cli convert --filter found=no caches.gpx caches.ov2"},
        {"The ten caches nearest to home, with their difficulty and country:",
         "quillmark-cli list --home \"N 52 05.1 E 5 07.2\" --sort dist --columns difficulty,country caches.gpx | "
         "head"},
        {"GPSBabel's output into KML, through a pipe:",
         "gpsbabel -i gpx -f in.gpx -o gpx -F - | quillmark-cli convert --format kml - - > out.kml"},
        {"A column of RD positions in every notation, one line each:",
         "seq 100000 1000 200000 | sed 's/$/ 450000/' | quillmark-cli coord --rd -"},
        {"One position as JSON:", "quillmark-cli coord --json --rd \"136013 455723\""},
        {"The caches not yet found on the OpenStreetMap tiles, as a picture:",
         "quillmark-cli map --filter found=no --tiles https://tile.openstreetmap.org/{z}/{x}/{y}.png caches.gpx "
         "map.png"},
        {"A pocket query onto the receiver, found caches left out:",
         "quillmark-cli send --filter found=no --name weekend pq.zip"}},
       false},
  };
  p.seeAlso = {"quillmark(1)", "gpsbabel(1)", "cs2cs(1)"};
  return p;
}

ProgramHelp MakeWindowHelp() {
  ProgramHelp p;
  p.program = "quillmark";
  p.title = "position converter and waypoint list for geocachers";
  p.synopsis = {"[--extended] [--log-level N] [FILE]"};
  p.text = {
      "Opens the Quillmark window: a position converter above (WGS84, ED50 and Bessel degrees, the Dutch RD grid, "
      "the Belgian Lambert72 grid, UTM and ECEF), a waypoint list below.",
      "FILE (GPX, LOC, OV2, TXT, CSV or ASC) is loaded into the list at start. While the window runs, "
      "quillmark-cli open FILE loads another file into it.",
      "Qt's own options, such as -platform offscreen, are taken too; any other option is refused."};
  p.options = {
      Flag("--extended",
           "show the extended controls for this run: favorite file, FTP, archive, ED50/Bessel input, altitude, "
           "Bing map, import time, KML in the save dialog, expert options"),
      Choice("--log-level", "N", "write a log: 1 errors, 2 and warnings, 3 everything (0 none)", {"0", "1", "2", "3"}),
      HelpFlag("show this help and exit"),
      {"--version", "-V", {}, "show the version and the data folder found, and exit", ValueKind::kNone, {}},
  };
  p.sections = {
      {"EXIT STATUS", {"0 when the window was closed, 2 on wrong usage."}, {}, false},
      {"FILES",
       {"$XDG_CONFIG_HOME/quillmark/HKEY_LOCAL_MACHINE.reg (default ~/.config/quillmark/): the settings, readable "
        "only by the user.",
        "~/.local/share/Tarnwick/Quillmark/: the log of a day, with --log-level.",
        "$XDG_CACHE_HOME/quillmark/tiles (default ~/.cache/quillmark/tiles): the map's tiles, up to the size set "
        "in the options.",
        "$XDG_RUNTIME_DIR/quillmark.sock: where the first window listens for quillmark-cli open."},
       {},
       false},
  };
  p.seeAlso = {"quillmark-cli(1)", "gpsbabel(1)"};
  return p;
}

// Words of a paragraph set in lines of at most kWidth, the first after
// `first`, the others after `indent` spaces.
std::string Wrapped(std::string first, std::string_view words, std::size_t indent) {
  std::string text = std::move(first);
  std::size_t lineStart = 0;
  bool lineHasWord = false;
  std::size_t start = 0;
  while (start < words.size()) {
    std::size_t end = words.find(' ', start);
    if (end == std::string_view::npos) end = words.size();
    if (end == start) {
      ++start;
      continue;
    }
    const std::size_t wordLength = end - start;
    if (lineHasWord && text.size() - lineStart + 1 + wordLength > kWidth) {
      text += '\n';
      lineStart = text.size();
      text.append(indent, ' ');
      lineHasWord = false;
    } else if (lineHasWord) {
      text += ' ';
    } else if (text.size() - lineStart < indent) {
      text.append(indent - (text.size() - lineStart), ' ');
    }
    text.append(words.substr(start, wordLength));
    lineHasWord = true;
    start = end + 1;
  }
  return text + '\n';
}

std::string OptionLabel(const HelpOption& o) {
  std::string label = o.shortName.empty() ? o.name : o.shortName + ", " + o.name;
  if (!o.value.empty()) label += " " + o.value;
  return label;
}

std::string OptionLines(const std::vector<HelpOption>& options) {
  std::string text;
  for (const HelpOption& o : options) {
    std::string label = "  " + OptionLabel(o);
    if (label.size() + 2 > kOptionColumn) {
      text += label + '\n';
      label.clear();
    }
    text += Wrapped(label, o.text, kOptionColumn);
  }
  return text;
}

std::string Paragraphs(const std::vector<std::string>& paragraphs) {
  std::string text;
  for (const std::string& p : paragraphs) text += (text.empty() ? "" : "\n") + Wrapped({}, p, 0);
  return text;
}

std::string UsageLines(const std::string& program, const std::vector<std::string>& synopsis) {
  std::string text;
  for (std::size_t i = 0; i < synopsis.size(); ++i) {
    text += Wrapped((i == 0 ? "usage: " : "       ") + program + " ", synopsis[i], 7 + program.size() + 1);
  }
  return text;
}

}  // namespace

const ProgramHelp& CliHelp() {
  static const ProgramHelp help = MakeCliHelp();
  return help;
}

const ProgramHelp& WindowHelp() {
  static const ProgramHelp help = MakeWindowHelp();
  return help;
}

const HelpCommand* FindHelpCommand(const ProgramHelp& program, std::string_view name) {
  for (const HelpCommand& c : program.commands) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

std::string BugReportText() {
  return std::string("Report bugs at ") + build::kBugUrl + ", with what --version prints.";
}

std::string HelpText(const ProgramHelp& program) {
  std::string text = UsageLines(program.program, program.synopsis) + "\n" + Paragraphs(program.text);
  if (!program.commands.empty()) {
    text += "\nCommands:\n";
    std::size_t width = 0;
    for (const HelpCommand& c : program.commands) width = std::max(width, c.name.size());
    for (const HelpCommand& c : program.commands) {
      text += Wrapped("  " + c.name + std::string(width + 3 - c.name.size(), ' '), c.summary, width + 5);
    }
  }
  text += "\nOptions:\n" + OptionLines(program.options);
  if (!program.commands.empty()) {
    text += "\n" + program.program + " COMMAND --help shows the options of a command.\n";
  }
  for (const HelpSection& s : program.sections) {
    if (!s.inHelp) continue;
    std::string title = s.title.substr(0, 1);
    for (std::size_t i = 1; i < s.title.size(); ++i) {
      title += static_cast<char>(s.title[i] >= 'A' && s.title[i] <= 'Z' ? s.title[i] - 'A' + 'a' : s.title[i]);
    }
    for (const std::string& p : s.text) text += Wrapped(title + ": ", p, 0);
  }
  return text + Wrapped({}, BugReportText(), 0);
}

std::string CommandHelpText(const ProgramHelp& program, const HelpCommand& command) {
  std::vector<std::string> synopsis;
  for (const std::string& s : command.synopsis) synopsis.push_back(s.empty() ? command.name : command.name + " " + s);
  return UsageLines(program.program, synopsis) + "\n" + Paragraphs(command.text) + "\nOptions:\n" +
         OptionLines(command.options);
}

}  // namespace quill::cli
