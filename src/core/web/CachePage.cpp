// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/CachePage.h"

#include <algorithm>
#include <array>
#include <atomic>

#include "base/FileIo.h"
#include "base/Platform.h"
#include "geo/CoordFormat.h"
#include "list/WaypointType.h"
#include "text/Ansi.h"
#include "text/TextHelpers.h"
#include "text/XmlText.h"
#include "web/CacheHtml.h"
#include "web/CacheListing.h"

namespace quill {
namespace {

constexpr std::string_view kPageTitle = "<!--TW_PAGE_TITLE-->";
constexpr std::string_view kTypeIcon = "<!--TW_CT_ICON-->";
constexpr std::string_view kCacheName = "<!--TW_CACHE_NAME-->";
constexpr std::string_view kPosition = "<!--TW_POSITION-->";
constexpr std::string_view kContainer = "<!--TW_CONTAINER-->";
constexpr std::string_view kLocation = "<!--TW_LOCATION-->";
constexpr std::string_view kHiddenBy = "<!--TW_HIDDENBY-->";
constexpr std::string_view kWaypointName = "<!--TW_WAYPOINTNAME-->";
constexpr std::string_view kTimeOriginated = "<!--TW_TIMEORIGINATED-->";
constexpr std::string_view kDifficulty = "<!--TW_DIFFICULTY-->";
constexpr std::string_view kTerrain = "<!--TW_TERRAIN-->";
constexpr std::string_view kShortDescription = "<!--TW_SHORT_DESCRIPTION-->";
constexpr std::string_view kLongDescription = "<!--TW_LONG_DESCRIPTION-->";
constexpr std::string_view kHint = "<!--TW_HINT-->";
constexpr std::string_view kLogs = "<!--TW_GC_LOGS-->";

constexpr std::string_view kDefaultTypeIcon = "Cache_Default.gif";
constexpr std::string_view kNoteIcon = "icon_note.gif";

struct IconRule {
  std::string_view text;
  std::string_view icon;
};

constexpr std::array<IconRule, 5> kLogIcons = {{
    {"Found it", "icon_smile.gif"},
    {"Didn't find it", "icon_sad.gif"},
    {"Temporarily Disable Listing", "icon_disabled.gif"},
    {"Attended", "icon_attended.gif"},
    {"Will Attend", "icon_attend.gif"},
}};

std::string_view IconFor(std::string_view type, const IconRule* rules, std::size_t count, std::string_view otherwise) {
  for (std::size_t i = 0; i < count; ++i) {
    if (EqualsIgnoreCase(type, rules[i].text)) return rules[i].icon;
  }
  return otherwise;
}

// name is clean HTML already.
std::string CacheNameMarkup(std::string_view name, const CacheListing& listing) {
  const bool red = listing.archived;
  const bool struck = red || !listing.available;
  std::string out;
  if (struck) out += "<strike>";
  if (red) out += "<font color=\"red\">";
  out += name;
  if (red) out += "</font>";
  if (struck) out += "</strike>";
  return out;
}

std::string LogList(std::string_view logs, std::string_view imageFolder, CacheHtmlCleaner& cleaner) {
  std::string out;
  for (const CacheLog& log : ReadCacheLogs(logs, static_cast<std::size_t>(-1))) {
    out += "<p><img border=\"0\" src=\"";
    out += imageFolder;
    out += LogTypeIcon(log.type);
    out += "\" width=\"16\" height=\"16\"> &nbsp <b> ";
    AppendEscapedHtml(out, AnsiToUtf8(IsoDateToText(log.date)));
    out += " by ";
    out += cleaner.Clean(log.finder);
    out += "</b><br>";
    out += cleaner.Clean(log.text);
    out += "</p>";
  }
  return out;
}

}  // namespace

const std::vector<std::string_view>& CachePageMarkers() {
  static const std::vector<std::string_view> markers = {kPageTitle,       kTypeIcon,   kCacheName, kPosition,
                                                        kContainer,       kLocation,   kHiddenBy,  kWaypointName,
                                                        kTimeOriginated,  kDifficulty, kTerrain,   kShortDescription,
                                                        kLongDescription, kHint,       kLogs};
  return markers;
}

std::string_view CacheTypeIcon(std::string_view cacheType) {
  const WaypointTypeInfo* type = CacheTypeFromName(cacheType);
  return type && !type->pageImage.empty() ? type->pageImage : kDefaultTypeIcon;
}

std::string_view LogTypeIcon(std::string_view logType) {
  return IconFor(logType, kLogIcons.data(), kLogIcons.size(), kNoteIcon);
}

const std::vector<std::string_view>& CachePageImages() {
  static const std::vector<std::string_view> images = [] {
    std::vector<std::string_view> list;
    for (int code = 0; code < kTypeCodeCount; ++code) {
      const std::string_view image = TypeInfo(code).pageImage;
      if (!image.empty() && std::find(list.begin(), list.end(), image) == list.end()) list.push_back(image);
    }
    list.insert(list.end(), {kDefaultTypeIcon, "sr.gif", "srh.gif"});
    for (const IconRule& rule : kLogIcons) list.push_back(rule.icon);
    list.push_back(kNoteIcon);
    return list;
  }();
  return images;
}

std::string BuildCachePage(std::string_view templateText, const TGpxRecord& record, std::string_view imageFolder) {
  const std::string_view xml = record.GroundspeakXml;
  // Memory text (Windows-1252) becomes UTF-8 like the rest of the page; what
  // the basic decoding leaves, and the logs, are UTF-8 from the file already.
  // Every text from the file is third-party HTML and is cleaned; the
  // record's own texts are plain text and are escaped.
  CacheHtmlCleaner cleaner;
  auto plainText = [](std::string_view memoryText) { return EscapeHtmlText(AnsiToUtf8(memoryText)); };
  const CacheListing listing = ReadCacheListing(xml);

  std::string position = FormatLatLonDegMin(record.Lat, record.Lon);
  ReplaceAll(position, "\xB0", "&deg;");
  struct Replacement {
    std::string_view marker;
    bool everyOccurrence;
    std::string value;
    bool done = false;
  };
  Replacement replacements[] = {
      {kPageTitle, false, plainText(record.Name) + " - " + cleaner.Text(listing.name)},
      {kTypeIcon, true, std::string(imageFolder) + std::string(CacheTypeIcon(listing.type))},
      {kCacheName, true, CacheNameMarkup(cleaner.Clean(listing.name), listing)},
      {kPosition, true, position},
      {kContainer, true, cleaner.Clean(listing.container)},
      {kLocation, true, CacheLocationHtml(listing, cleaner)},
      {kHiddenBy, true, cleaner.Clean(listing.placedBy)},
      {kWaypointName, true, plainText(record.Name)},
      {kTimeOriginated, true, plainText(IsoDateToText(record.Time))},
      {kDifficulty, true, CacheRatingStars(listing.difficulty, imageFolder)},
      {kTerrain, true, CacheRatingStars(listing.terrain, imageFolder)},
      {kShortDescription, false, cleaner.Clean(listing.shortDescription)},
      {kLongDescription, false, cleaner.Clean(listing.longDescription)},
      {kHint, false, cleaner.Clean(listing.hint)},
      {kLogs, false, LogList(listing.logs, imageFolder, cleaner)},
  };

  // Markers are looked for in the template's own text only, in one pass: a
  // value is never searched again, so whatever it holds stays as it is and
  // the page is at most the template plus the values.
  constexpr std::string_view kMarkerStart = "<!--TW_";
  std::string page;
  std::size_t pos = 0;
  for (std::size_t at = templateText.find(kMarkerStart); at != std::string_view::npos;
       at = templateText.find(kMarkerStart, at + 1)) {
    const std::string_view rest = templateText.substr(at);
    for (Replacement& r : replacements) {
      if (rest.substr(0, r.marker.size()) != r.marker) continue;
      if (r.done) break;
      page.append(templateText.substr(pos, at - pos));
      page.append(r.value);
      r.done = !r.everyOccurrence;
      pos = at + r.marker.size();
      at = pos - 1;
      break;
    }
  }
  page.append(templateText.substr(pos));
  return page;
}

std::string CachePageTemplatePath(const std::string& dataFolder) { return dataFolder + "html/default.htm"; }

bool ReadCachePageTemplate(const std::string& path, std::string& text) {
  text.clear();
  InputFile file;
  return file.Open(path, true) && file.ReadAll(text);
}

namespace {

std::string NameOfPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Closes a platform handle when it goes.
struct FolderHandle {
  platform::Handle fd = platform::kNoHandle;
  explicit FolderHandle(platform::Handle handle) : fd(handle) {}
  ~FolderHandle() {
    if (fd != platform::kNoHandle) platform::Close(fd);
  }
  FolderHandle(const FolderHandle&) = delete;
  FolderHandle& operator=(const FolderHandle&) = delete;
};

// Temporary names follow the pattern the save sweep removes when their
// process is gone (NAME.~qmPID.N).
std::string TemporaryName() {
  static std::atomic<unsigned> counter{0};
  return "page.~qm" + std::to_string(platform::ProcessId()) + "." + std::to_string(counter++);
}

bool IsTemporaryName(const std::string& name) { return name.rfind("page.~qm", 0) == 0; }

// bytes under a temporary name in folder, then renamed to name; a new file's
// permissions are taken under the umask.
bool WriteWhole(platform::Handle folder, const std::string& name, std::string_view bytes, std::uint32_t permissions) {
  const std::string temporary = TemporaryName();
  const platform::Handle fd = platform::CreateExclusiveAt(folder, temporary, permissions);
  if (fd == platform::kNoHandle) return false;
  bool ok = platform::WriteAll(fd, bytes.data(), bytes.size());
  ok = platform::Close(fd) && ok;
  ok = ok && platform::RenameAt(folder, temporary, name);
  if (!ok) platform::RemoveAt(folder, temporary);
  return ok;
}

// An images folder of ours: a real folder of this user that holds only
// the images (and temporary files while they are written).
bool IsOwnImageFolder(platform::Handle folder) {
  if (platform::StatHandle(folder).owner != platform::UserId()) return false;
  const auto& images = CachePageImages();
  for (const std::string& entry : platform::FolderEntriesAt(folder)) {
    if (std::find(images.begin(), images.end(), entry) == images.end() && !IsTemporaryName(entry)) return false;
  }
  return true;
}

bool ReadImage(std::string_view name, const std::vector<std::string>& sources, std::string& bytes, bool& found) {
  found = false;
  for (const std::string& source : sources) {
    std::string from = source;
    if (!from.empty() && from.back() != '/') from += '/';
    from += name;
    InputFile in;
    if (!in.Open(from, false)) continue;
    found = true;
    return in.ReadAll(bytes);
  }
  return true;
}

}  // namespace

std::string CachePageFilesFolder(const std::string& pagePath) {
  const std::string name = NameOfPath(pagePath);
  const std::size_t dot = name.rfind('.');
  return (dot == std::string::npos || dot == 0 ? name : name.substr(0, dot)) + "_files";
}

std::string CachePageImageUrl(const std::string& pagePath) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url;
  for (char c : CachePageFilesFolder(pagePath)) {
    const auto u = static_cast<unsigned char>(c);
    const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-' ||
                       u == '.' || u == '_' || u == '~';
    if (plain) {
      url += c;
    } else {
      url += '%';
      url += kHex[u >> 4];
      url += kHex[u & 15];
    }
  }
  return url + "/";
}

bool WriteCachePage(const std::string& pagePath, std::string_view page, const std::vector<std::string>& imageFolders,
                    bool privateFile, std::string* error) {
  auto fail = [&](const std::string& what) {
    if (error) *error = what;
    return false;
  };
  const std::string name = NameOfPath(pagePath);
  if (name.empty() || name == "." || name == "..") return fail(pagePath + " names no file");
  const FolderHandle folder(platform::OpenFolder(FolderOfPath(pagePath)));
  if (folder.fd == platform::kNoHandle) return fail("cannot open the folder of " + pagePath);
  const platform::FileKind kind = platform::StatAt(folder.fd, name).kind;
  if (kind == platform::FileKind::kLink) return fail(pagePath + " is a symbolic link");
  if (kind != platform::FileKind::kMissing && kind != platform::FileKind::kRegular) {
    return fail(pagePath + " is not a regular file");
  }

  const std::string filesName = CachePageFilesFolder(pagePath);
  const std::string filesPath = (FolderOfPath(pagePath) == "/" ? "" : FolderOfPath(pagePath)) + "/" + filesName;
  const std::uint32_t folderMode = privateFile ? 0700 : 0755;
  platform::Handle filesFd = platform::MakeFolderAt(folder.fd, filesName, folderMode);
  if (filesFd == platform::kNoHandle) {
    filesFd = platform::OpenFolderAt(folder.fd, filesName);
    if (filesFd != platform::kNoHandle && !IsOwnImageFolder(filesFd)) {
      platform::Close(filesFd);
      filesFd = platform::kNoHandle;
    }
    if (filesFd == platform::kNoHandle) return fail(filesPath + " exists and is not the page's own folder");
  }
  const FolderHandle files(filesFd);

  if (!WriteWhole(folder.fd, name, page, privateFile ? 0600 : 0666)) return fail("cannot write " + pagePath);
  for (std::string_view image : CachePageImages()) {
    std::string bytes;
    bool found = false;
    if (!ReadImage(image, imageFolders, bytes, found)) return fail("cannot read the image " + std::string(image));
    if (found && !WriteWhole(files.fd, std::string(image), bytes, 0644)) {
      return fail("cannot write " + filesPath + "/" + std::string(image));
    }
  }
  return true;
}

}  // namespace quill
