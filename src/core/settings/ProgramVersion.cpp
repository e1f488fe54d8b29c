// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ProgramVersion.h"

#include "base/ProgramFolders.h"
#include "quillmark/BuildVersion.h"
#include "settings/UlkFileversionInfo.h"

namespace quill {

std::string VersionReport(std::string_view program) {
  std::string text(program);
  text += ' ';
  text += build::kFileVersion;
  text += "\nbuilt ";
  text += RearrangeBuildDate(build::kBuildDate);
  text += "\ndata folder: ";
  text += DataFolder();
  text += '\n';
  return text;
}

std::string UserAgent() {
  std::string agent = build::kProductName;
  agent += '/';
  agent += build::kFileVersion;
  return agent;
}

}  // namespace quill
