// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The listing of a cache as its Groundspeak data holds it, read once for
// whatever shows it (the offline page, the details pane). Texts are UTF-8
// from the file with its entities undone; the descriptions, the hint, the
// names and the logs are third-party HTML and go through CacheHtml.h before
// they are shown. Values that come from the record itself are not here.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

class CacheHtmlCleaner;

struct CacheLog {
  std::string date;    // as written, "2021-04-03T19:00:00Z"
  std::string type;    // "Found it"
  std::string finder;  // HTML
  std::string text;    // HTML; plain line feeds already turned into <br>
};

struct CacheListing {
  std::string name;       // HTML
  std::string placedBy;   // HTML
  std::string owner;      // HTML
  std::string type;       // "Traditional Cache"
  std::string container;  // HTML
  std::string difficulty;
  std::string terrain;
  std::string country;  // HTML
  std::string state;    // HTML
  // HTML; a plain-text description has its line feeds turned into <br>.
  std::string shortDescription;
  std::string longDescription;
  std::string hint;  // HTML
  bool archived = false;
  bool available = true;
  // The logs element's content, for ReadCacheLogs.
  std::string_view logs;
};

// The listing in groundspeakXml (the record's GroundspeakXml, which must
// outlive the result's `logs`).
CacheListing ReadCacheListing(std::string_view groundspeakXml);

// The logs in file order, at most `most` of them.
std::vector<CacheLog> ReadCacheLogs(std::string_view logs, std::size_t most);

// The newest `count` logs, newest first (a pocket query lists them so, other
// files may not); logs of the same date keep their file order.
std::vector<CacheLog> NewestCacheLogs(std::string_view logs, std::size_t count);

// "Netherlands (Gelderland)": the state only when there is one.
std::string CacheLocationHtml(const CacheListing& listing, CacheHtmlCleaner& cleaner);

// Whole and half star images for a rating up to 5 ("3.5"), each an <img>
// naming imageFolder + "sr.gif" or "srh.gif".
std::string CacheRatingStars(std::string_view rating, std::string_view imageFolder);

}  // namespace quill
