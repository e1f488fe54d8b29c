// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The offline cache page: a template page whose marker comments are replaced
// by one waypoint's values and the Groundspeak data it carries. The page is
// UTF-8; the template's images are referred to by bare file name and so must
// lie beside the page.
#include <string>
#include <string_view>
#include <vector>

#include "list/GpxRecord.h"

namespace quill {

// Every marker, in the order they are replaced.
const std::vector<std::string_view>& CachePageMarkers();

// The page for one waypoint. Pure: the same template and record give the same text.
std::string BuildCachePage(std::string_view templateText, const TGpxRecord& record);

// The icon files by cache type and by log type (compared ignoring case).
std::string_view CacheTypeIcon(std::string_view cacheType);
std::string_view LogTypeIcon(std::string_view logType);
// Every image file a page may name.
const std::vector<std::string_view>& CachePageImages();

// "html/default.htm" in the data folder (which ends in "/").
std::string CachePageTemplatePath(const std::string& dataFolder);
// The template's text, CR LF read as LF; false when it cannot be read.
bool ReadCachePageTemplate(const std::string& path, std::string& text);

// Writes the page atomically (privateFile: mode 0600 even over an older
// file) and puts every image of CachePageImages beside it, taken from the
// first of imageFolders that holds it. False when the page or an image
// could not be written; an image found in none of the folders is left out.
bool WriteCachePage(const std::string& pagePath, std::string_view page, const std::vector<std::string>& imageFolders,
                    bool privateFile);

}  // namespace quill
