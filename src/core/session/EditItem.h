// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The edit dialog's logic without the window: a record shown as field texts,
// and the record those texts give back when stored.
#include <functional>
#include <string>
#include <string_view>

#include "geo/GeoTypes.h"
#include "list/GpxRecord.h"

namespace quill {

// What the dialog's fields hold; texts are memory text.
struct EditItemFields {
  std::string north;  // FormatDegMinSigned with the minute mark
  std::string east;
  std::string name;
  std::string desc;
  std::string urlName;
  std::string url;
  std::string cmt;
  std::string sym;
  int typeCode = 0;
  bool found = false;
};

EditItemFields EditFieldsOf(const TGpxRecord& record);

// The position of the two coordinate fields: ParseLatLonFields, or, when that
// gives a latitude above 90 and a longitude above 180, the two texts read as
// an RD pair (155000 and 463000 typed into the two fields).
LatLon EditFieldsPosition(std::string_view north, std::string_view east);

// Whether the two coordinate fields read as a position: a latitude and a
// longitude as LatLonFieldsRead takes them, or an RD pair inside the RD area.
bool EditFieldsReadable(std::string_view north, std::string_view east);

// The coordinate text to quote when the fields' coordinates were changed and
// do not read ("53 24.42l"; both fields when both were changed); empty when
// they read or were not changed.
std::string UnreadPositionText(const EditItemFields& shown, const EditItemFields& now);

// The cache link of a code ("GC12AB").
using CacheLinkFn = std::function<std::string(std::string_view code)>;

// An empty Url becomes the link of a Name, else of a UrlName, that starts
// with "GC"; then a Url that is itself a "GC" code becomes its link, the code
// going to an empty UrlName.
void CompleteCacheUrl(TGpxRecord& record, const CacheLinkFn& link);

// The record as stored from the fields. `shown` is what the fields held right
// after loading, `now` what they hold: only a text the user changed replaces
// the record's own, so a record merely looked at keeps every byte and its
// exact position. When a coordinate field changed, both are read, and each
// coordinate whose value the new texts leave as it was keeps its exact value.
// Then the URL is completed (when there is a link); type, Found and symbol come from the fields
// the same way.
TGpxRecord StoredRecord(const TGpxRecord& record, const EditItemFields& shown, const EditItemFields& now,
                        const CacheLinkFn& link);

}  // namespace quill
