// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/LocFormat.h"

#include "formats/RecordFiles.h"
#include "text/Ansi.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {

namespace {

bool StartsWithGc(std::string_view s) { return s.size() >= 2 && s[0] == 'G' && s[1] == 'C'; }

// Text inside a CDATA section: entities are not decoded there, so none are
// written; control characters as in EscapeXmlText. "]]>" would end the section
// early, and "]]&gt;" is the one spelling of it that keeps the file whole.
void AppendCdataText(std::string& out, std::string_view text) {
  std::string cleaned;
  cleaned.reserve(text.size());
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == '\r') continue;
    cleaned.push_back((c < 0x20 && c != '\n') ? '.' : ch);
  }
  ReplaceAll(cleaned, "]]>", "]]&gt;");
  AppendAnsiAsUtf8(out, cleaned);
}

}  // namespace

void AddLocElement(std::string_view e, WaypointStore& store, bool skipSearch) {
  TGpxRecord r;
  r.Lat = TextToFloat(AttributeValue(e, "coord", "lat"));
  r.Lon = TextToFloat(AttributeValue(e, "coord", "lon"));
  r.Name = DecodeElementText(AttributeValue(e, "name", "id"));
  r.Desc = DecodeElementText(FirstElementText(e, "name"));
  r.Url = DecodeElementText(FirstElementText(e, "link"));
  r.UrlName = DecodeElementText(AttributeValue(e, "link", "text"));
  LocType type = LocTypeFromText(FirstElementText(e, "type"));
  r.TypeCode = type.typeCode;
  r.Found = type.found;
  store.AddWaypoint(std::move(r), {}, skipSearch);
}

bool ReadLocFile(const std::string& path, WaypointStore& store, const ReadOptions& options, ReadResult* result) {
  bool skip = store.ShownWaypoints().empty() && options.noCheckWhenEmpty;
  std::size_t elements = 0;
  LocScanner scanner([&](std::string_view element) {
    ++elements;
    AddLocElement(element, store, skip);
  });
  FileHead head;
  if (!ReadFileChunks(path, true, options, result, [&](std::string_view chunk) {
        head.Feed(chunk);
        scanner.Feed(chunk);
      })) {
    return false;
  }
  if (!FinishScan(scanner, result)) return false;
  return elements > 0 || CheckXmlRoot(head, "loc", "LOC", result);
}

void AppendLocWaypoint(std::string& out, const TGpxRecord& r) {
  std::string_view code = StartsWithGc(r.Name)      ? std::string_view(r.Name)
                          : StartsWithGc(r.UrlName) ? std::string_view(r.UrlName)
                                                    : std::string_view("GC0000");
  out += "<waypoint>\n\t<name id=\"";
  AppendEscapedXml(out, code);
  out += "\"><![CDATA[";
  AppendCdataText(out, r.Desc);
  out += "]]></name>\n\t<coord lat=\"";
  AppendFixed(out, r.Lat, 6);
  out += "\" lon=\"";
  AppendFixed(out, r.Lon, 6);
  out += "\"/>\n\t<type>";
  out += LocTypeText(r.TypeCode, r.Found);
  out += "</type>\n\t<link text=\"";
  AppendEscapedXml(out, r.UrlName);
  out += "\">";
  AppendEscapedXml(out, r.Url);
  out += "</link>\n</waypoint>";
}

bool WriteLocFile(const std::string& path, RecordSpan records, const WriteOptions& /*options*/) {
  return WriteRecordFile(path, true,
                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<loc version=\"1.0\" src=\"Tarnwick\">\n",
                         records, &AppendLocWaypoint, "</loc>\n");
}

}  // namespace quill
