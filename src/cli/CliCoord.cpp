// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-cli coord: the converter panel's five buttons on the command line.
#include <array>
#include <charconv>
#include <cmath>
#include <istream>
#include <ostream>
#include <string_view>

#include "cli/Cli.h"
#include "cli/CliSinks.h"
#include "geo/Converter.h"
#include "text/Ansi.h"
#include "text/TextHelpers.h"

namespace quill::cli {

namespace {

enum class Input { None, LatLon, Rd, Lambert, Utm, Ecef };

struct CoordRequest {
  Input input = Input::None;
  std::string north;  // --latlon NORTH
  std::string east;   // --latlon NORTH EAST
  std::string text;   // --rd, --lambert, --utm, --ecef
  InputDatum datum = InputDatum::Wgs84;
  bool south = false;
  bool west = false;
  bool json = false;
};

bool ParseDatum(std::string_view name, InputDatum& datum) {
  if (EqualsIgnoreCase(name, "wgs84")) {
    datum = InputDatum::Wgs84;
  } else if (EqualsIgnoreCase(name, "ed50")) {
    datum = InputDatum::Ed50;
  } else if (EqualsIgnoreCase(name, "bessel")) {
    datum = InputDatum::Bessel;
  } else {
    return false;
  }
  return true;
}

// False with a message on wrong usage.
bool ParseCoordArgs(const std::vector<std::string>& args, CoordRequest& req, std::string& error) {
  std::size_t i = 0;
  // The value of an option: "--opt=VALUE" or the next word, whatever it holds
  // (a coordinate text may begin with "-").
  auto value = [&](const std::string& option, std::string_view inlineValue, bool hasInline, std::string& out) -> bool {
    if (hasInline) {
      out.assign(inlineValue);
      return true;
    }
    if (i + 1 >= args.size()) {
      error = option + " needs a value";
      return false;
    }
    out = args[++i];
    return true;
  };
  auto setInput = [&](Input input, const std::string& option) -> bool {
    if (req.input != Input::None) {
      error = "give only one of --latlon, --rd, --lambert, --utm, --ecef (" + option + ")";
      return false;
    }
    req.input = input;
    return true;
  };
  for (; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string option = arg;
    std::string_view inlineValue;
    bool hasInline = false;
    if (arg.rfind("--", 0) == 0) {
      std::size_t eq = arg.find('=');
      if (eq != std::string::npos) {
        option = arg.substr(0, eq);
        inlineValue = std::string_view(arg).substr(eq + 1);
        hasInline = true;
      }
    }
    auto noValue = [&]() {
      if (hasInline) error = option + " takes no value";
      return !hasInline;
    };
    if (option == "--json") {
      if (!noValue()) return false;
      req.json = true;
    } else if (option == "--south") {
      if (!noValue()) return false;
      req.south = true;
    } else if (option == "--west") {
      if (!noValue()) return false;
      req.west = true;
    } else if (option == "--datum") {
      std::string name;
      if (!value(option, inlineValue, hasInline, name)) return false;
      if (!ParseDatum(name, req.datum)) {
        error = "unknown datum '" + name + "' (wgs84, ed50 or bessel)";
        return false;
      }
    } else if (option == "--latlon") {
      if (!setInput(Input::LatLon, option) || !value(option, inlineValue, hasInline, req.north)) return false;
      // The optional east field: the next word unless it is another option.
      if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) req.east = args[++i];
    } else if (option == "--rd" || option == "--lambert" || option == "--utm" || option == "--ecef") {
      const Input input = option == "--rd"        ? Input::Rd
                          : option == "--lambert" ? Input::Lambert
                          : option == "--utm"     ? Input::Utm
                                                  : Input::Ecef;
      if (!setInput(input, option) || !value(option, inlineValue, hasInline, req.text)) return false;
    } else if (arg.rfind("-", 0) == 0) {
      error = "unknown option '" + arg + "'";
      return false;
    } else {
      error = "unexpected word '" + arg + "'";
      return false;
    }
  }
  if (req.input == Input::None) {
    error = "give one of --latlon, --rd, --lambert, --utm, --ecef";
    return false;
  }
  return true;
}

void AppendJsonString(std::string& out, std::string_view utf8) {
  static constexpr char kHex[] = "0123456789abcdef";
  out.push_back('"');
  for (char ch : utf8) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(ch);
    } else if (c < 0x20) {
      out.append("\\u00");
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    } else {
      out.push_back(ch);
    }
  }
  out.push_back('"');
}

// Shortest text that reads back as the same double.
void AppendJsonNumber(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out.append("null");
    return;
  }
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, static_cast<std::size_t>(res.ptr - buf));
}

// JSON names of the result fields, in the panel's order.
constexpr std::array<const char*, kResultFields.size()> kJsonKeys = {"degrees", "degmin", "degminsec", "rd",
                                                                     "lambert", "utm",    "ecef",      "altitude"};

std::string ResultJson(const ConverterResult& r) {
  std::string out = "{\"lat\": ";
  AppendJsonNumber(out, r.lat);
  out.append(", \"lon\": ");
  AppendJsonNumber(out, r.lon);
  out.append(", \"height\": ");
  AppendJsonNumber(out, r.height);
  for (std::size_t i = 0; i < kResultFields.size(); ++i) {
    out.append(", \"");
    out.append(kJsonKeys[i]);
    out.append("\": ");
    AppendJsonString(out, AnsiToUtf8(r.*kResultFields[i].text));
  }
  out.append(", \"rd_in_range\": ");
  out.append(r.rdInRange ? "true" : "false");
  out.append(", \"lambert_in_range\": ");
  out.append(r.lambertInRange ? "true" : "false");
  out.append("}\n");
  return out;
}

std::string ResultLines(const ConverterResult& r) {
  std::string out;
  for (const ResultField& field : kResultFields) {
    out.append(field.label);
    out.append(": ");
    AppendAnsiAsUtf8(out, r.*field.text);
    out.push_back('\n');
  }
  return out;
}

// One line of the batch: the eight texts, tab-separated.
std::string ResultTabs(const ConverterResult& r) {
  std::string out;
  for (const ResultField& field : kResultFields) {
    if (!out.empty()) out.push_back('\t');
    AppendAnsiAsUtf8(out, r.*field.text);
  }
  out.push_back('\n');
  return out;
}

// Arguments and lines arrive as UTF-8; the scanners read Windows-1252
// (degree sign 0xB0).
ConverterResult Convert(const CoordRequest& req, const std::string& text, const std::string& east) {
  switch (req.input) {
    case Input::LatLon:
      return ConvertLatLon(Utf8ToAnsi(text), Utf8ToAnsi(east), req.south, req.west, req.datum);
    case Input::Rd:
      return ConvertRd(Utf8ToAnsi(text));
    case Input::Lambert:
      return ConvertLambert(Utf8ToAnsi(text));
    case Input::Utm:
      return ConvertUtm(Utf8ToAnsi(text));
    case Input::Ecef:
      return ConvertEcef(Utf8ToAnsi(text));
    case Input::None:
      break;
  }
  return {};
}

// "-": one position per line of standard input, one result line each, so
// that line n of the output answers line n of the input.
int ConvertLines(const CoordRequest& req, std::istream& in, std::ostream& out, std::ostream& err) {
  std::string line;
  std::string text;
  std::uint64_t number = 0;
  int status = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // A line without a digit holds no position; the converter would read it as 0.
    const bool blank = line.find_first_of("0123456789") == std::string::npos;
    const ConverterResult r = blank ? ConverterResult{} : Convert(req, line, {});
    if (blank || !r.onEarth) {
      PrintError(err, "standard input",
                 "line " + std::to_string(number) + ": " + (blank ? "no position" : kOffEarthText));
      text.append(req.json ? "null\n" : "\n");
      status = 1;
    } else {
      text.append(req.json ? ResultJson(r) : ResultTabs(r));
    }
    // Whoever feeds us line by line gets each answer before we wait again.
    if (text.size() >= (1u << 16) || in.rdbuf()->in_avail() <= 0) {
      out << text;
      out.flush();
      text.clear();
    }
  }
  out << text;
  out.flush();
  return out ? status : 1;
}

}  // namespace

int RunCoord(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CoordRequest req;
  std::string error;
  if (!ParseCoordArgs(args, req, error)) return UsageError(err, error);
  const std::string& text = req.input == Input::LatLon ? req.north : req.text;
  if (text == "-") {
    if (!req.east.empty()) return UsageError(err, "--latlon - reads NORTH and EAST from each line: give no EAST");
    return ConvertLines(req, CommandInput(), out, err);
  }
  const ConverterResult result = Convert(req, text, req.east);
  if (!result.onEarth) {
    PrintError(err, {}, kOffEarthText);
    return 1;
  }
  out << (req.json ? ResultJson(result) : ResultLines(result));
  out.flush();
  return out ? 0 : 1;
}

}  // namespace quill::cli
