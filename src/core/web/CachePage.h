// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The offline cache page: a template page whose marker comments are replaced
// by one waypoint's values and the Groundspeak data it carries. The page is
// UTF-8; every text from the file is cleaned of active HTML (CacheHtml.h).
// Its images live in a folder of the page's own, NAME_files/ beside NAME.htm.
#include <string>
#include <string_view>
#include <vector>

#include "list/GpxRecord.h"

namespace quill {

// Every marker a template may hold.
const std::vector<std::string_view>& CachePageMarkers();

// The page for one waypoint. Pure: the same template and record give the same
// text. imageFolder (a relative URL ending in "/", or empty) goes before the
// name of every image the page shows.
std::string BuildCachePage(std::string_view templateText, const TGpxRecord& record, std::string_view imageFolder = {});

// The icon files by cache type and by log type (compared ignoring case).
std::string_view CacheTypeIcon(std::string_view cacheType);
std::string_view LogTypeIcon(std::string_view logType);
// Every image file a page may name.
const std::vector<std::string_view>& CachePageImages();

// "html/default.htm" in the data folder (which ends in "/").
std::string CachePageTemplatePath(const std::string& dataFolder);
// The template's text, CR LF read as LF; false when it cannot be read.
bool ReadCachePageTemplate(const std::string& path, std::string& text);

// "NAME_files" for ".../NAME.htm": the page's own folder, beside it.
std::string CachePageFilesFolder(const std::string& pagePath);
// The same as a relative URL with its "/", for BuildCachePage.
std::string CachePageImageUrl(const std::string& pagePath);

// Writes the page (privateFile: mode 0600) and every image of
// CachePageImages, taken from the first of imageFolders that holds it, into
// CachePageFilesFolder. Each file is written whole under a temporary name and
// renamed into place; no symbolic link is followed, so nothing is written
// outside the page's folder and its own. A page path that is a link, a
// device, a FIFO or a socket is refused, and so is an images folder that
// exists and is not one this function made (a folder of ours holds nothing
// but those images). False with the reason in *error when something could
// not be written; an image found in none of the folders is left out.
bool WriteCachePage(const std::string& pagePath, std::string_view page, const std::vector<std::string>& imageFolders,
                    bool privateFile, std::string* error = nullptr);

}  // namespace quill
