// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/FtpHost.h"

#include <algorithm>

namespace quill {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

std::optional<int> ParsePort(std::string_view digits) {
  if (digits.empty() || digits.size() > 5) return std::nullopt;
  int port = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    port = port * 10 + (c - '0');
  }
  if (port < 1 || port > 65535) return std::nullopt;
  return port;
}

// Letters, digits, '-', '.', '_' for names; hex digits, ':' and '.' inside
// brackets. Anything else could change what the URL means.
bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
}

bool IsV6Char(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.';
}

}  // namespace

std::string FtpEndpoint::Url() const {
  const bool v6 = host.find(':') != std::string::npos;
  return "ftp://" + (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

std::optional<FtpEndpoint> ParseFtpHost(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  FtpEndpoint end;
  if (StartsWithNoCase(text, "ftps://")) {
    end.tls = true;
    text.remove_prefix(7);
  } else if (StartsWithNoCase(text, "ftp://")) {
    text.remove_prefix(6);
  }
  if (!text.empty() && text.back() == '/') text.remove_suffix(1);
  if (text.empty()) return std::nullopt;

  std::string_view host = text;
  std::string_view port;
  if (text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = text.substr(1, close - 1);
    std::string_view rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') return std::nullopt;
      port = rest.substr(1);
      if (port.empty()) return std::nullopt;
    }
    if (host.find(':') == std::string_view::npos || !std::all_of(host.begin(), host.end(), IsV6Char)) {
      return std::nullopt;
    }
  } else if (std::count(text.begin(), text.end(), ':') > 1) {
    // A bare IPv6 address: its colons cannot carry a port.
    if (!std::all_of(host.begin(), host.end(), IsV6Char)) return std::nullopt;
  } else {
    const std::size_t colon = text.find(':');
    if (colon != std::string_view::npos) {
      host = text.substr(0, colon);
      port = text.substr(colon + 1);
      if (port.empty()) return std::nullopt;
    }
    if (!std::all_of(host.begin(), host.end(), IsNameChar)) return std::nullopt;
  }
  if (host.empty()) return std::nullopt;
  if (!port.empty()) {
    const std::optional<int> number = ParsePort(port);
    if (!number) return std::nullopt;
    end.port = *number;
  }
  end.host = std::string(host);
  return end;
}

}  // namespace quill
