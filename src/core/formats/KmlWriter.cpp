// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/KmlWriter.h"

#include "formats/RecordFiles.h"
#include "list/WaypointType.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"

namespace quill {

namespace {

// The listing service's image host; the KML icons of the type table are its.
constexpr std::string_view kImageHost = "http://www.geocaching.com";

}  // namespace

std::string KmlIconPart(int typeCode) {
  const WaypointTypeInfo& type = TypeInfo(typeCode);
  std::string out;
  if (type.kmlIconSmall) out += "<scale>0.5</scale>";
  out += "<Icon>";
  out += kImageHost;
  out += type.kmlIcon;
  return out;
}

void AppendKmlPlacemark(std::string& out, const TGpxRecord& r) {
  out += "  <Placemark>\n    <name>";
  AppendEscapedXml(out, r.Name);
  out += "</name>\n";
  if (!r.Desc.empty() || !r.Url.empty()) {
    // The link and its text go through CleanText like the description: raw
    // 8-bit bytes or control characters would make the whole file unreadable.
    std::string html;
    if (!r.Desc.empty()) {
      html += "<b>Description:</b><br>";
      html += CleanText(r.Desc);
      html += "</b><br><br>";
    }
    if (!r.Url.empty()) {
      html += "<b>Link:</b><br><a href=\"";
      html += CleanText(r.Url);
      html += "\">";
      html += CleanText(r.UrlName.empty() ? r.Name : r.UrlName);
      html += "</a><br>";
    }
    // A "]]>" in the text would close the section early: split it there.
    ReplaceAll(html, "]]>", "]]]]><![CDATA[>");
    out += "    <description><![CDATA[";
    out += html;
    out += "]]></description>\n";
  }
  out += "    <Style><IconStyle>";
  out += KmlIconPart(r.TypeCode);
  out += "</Icon></IconStyle></Style>\n    <Point><coordinates>";
  AppendFixed(out, r.Lon, 6);
  out += ",";
  AppendFixed(out, r.Lat, 6);
  out += "</coordinates></Point>\n  </Placemark>\n";
}

bool WriteKmlFile(const std::string& path, RecordSpan records, const WriteOptions& options) {
  return WriteRecordFile(path, true,
                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<kml xmlns=\"http://earth.google.com/kml/2.2\">\n<Document>\n",
                         records, &AppendKmlPlacemark, "</Document>\n</kml>\n", options.privateFile);
}

}  // namespace quill
