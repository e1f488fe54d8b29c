// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/WebLinks.h"

#include "quillmark/WebHosts.h"
#include "text/Ansi.h"
#include "text/TextHelpers.h"

namespace quill {
namespace {

std::string WebAddress(const char* host, std::string_view pathAndQuery) {
  std::string url = "https://";
  url += host;
  url += pathAndQuery;
  return url;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The names RealWebLink turns into a cache code: 2 to 7 of A-Z and 0-9.
bool IsCodeLikeName(std::string_view name) {
  if (name.size() < 2 || name.size() > 7) return false;
  for (char c : name) {
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

}  // namespace

std::string CacheShortLink(std::string_view cacheCode) {
  std::string path = "/";
  path += cacheCode;
  return WebAddress(build::kShortLinkHost, path);
}

std::string GoogleMapsUrl(double lat, double lon, int zoomLevel, int mapType) {
  std::string lat6 = FormatFixed(lat, 6);
  std::string lon6 = FormatFixed(lon, 6);
  std::string query = "/maps?q=" + lat6 + "+" + lon6 + "&ll=" + lat6 + "," + lon6 + "&z=";
  // The zoom is printed unsigned, the type as one byte, as the link always was.
  query += std::to_string(static_cast<unsigned>(zoomLevel));
  query += "&t=";
  query.push_back(static_cast<char>(static_cast<unsigned char>(mapType)));
  return WebAddress(build::kGoogleMapsHost, query);
}

std::string BingMapsUrl(double lat, double lon) {
  return WebAddress(build::kBingMapsHost,
                    "/maps/default.aspx?v=2&sp=point." + FormatFixed(lat, 6) + "_" + FormatFixed(lon, 6));
}

bool IsWebLink(std::string_view url) {
  std::size_t colon = url.find("://");
  if (colon == std::string_view::npos) return false;
  std::string_view scheme = url.substr(0, colon);
  if (!EqualsIgnoreCase(scheme, "http") && !EqualsIgnoreCase(scheme, "https")) return false;
  std::string_view rest = url.substr(colon + 3);
  std::size_t hostEnd = rest.find_first_of("/?#");
  std::string_view authority = rest.substr(0, hostEnd);
  std::size_t at = authority.rfind('@');
  std::string_view host = at == std::string_view::npos ? authority : authority.substr(at + 1);
  if (host.empty() || host.front() == ':') return false;
  for (char c : url) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
  }
  // As it will be handed on: UTF-8, where a kept sequence may be a C1 control.
  const std::string utf8 = AnsiToUtf8(url);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (IsC1ControlAt(utf8, i)) return false;
  }
  return true;
}

std::string LinkForDisplay(std::string_view url) {
  std::string utf8 = AnsiToUtf8(url);
  BlankTerminalControls(utf8);
  return utf8;
}

std::string WebLinkTarget(const TGpxRecord& record, bool realWebLink) {
  if (realWebLink && !IsCacheType(record.TypeCode) && IsCodeLikeName(record.Name)) {
    return CacheShortLink("GC" + record.Name.substr(2));
  }
  return std::string(TrimBlanks(record.Url));
}

}  // namespace quill
