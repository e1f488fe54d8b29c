// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/UlkFileversionInfo.h"

#include <vector>

#include "quillmark/BuildVersion.h"
#include "text/TextHelpers.h"

namespace quill {

const VersionTable& BuildVersionTable() {
  static const VersionTable table{build::kCompanyName,      build::kFileDescription, build::kFileVersion,
                                  build::kInternalName,     build::kLegalCopyright,  build::kLegalTrademarks,
                                  build::kOriginalFilename, build::kProductName,     build::kProductVersion,
                                  build::kComments};
  return table;
}

TUlkFileversionInfo::TUlkFileversionInfo() : table_(&BuildVersionTable()) {}
TUlkFileversionInfo::TUlkFileversionInfo(const VersionTable* table) : table_(table) {}

bool TUlkFileversionInfo::GetInfo() {
  std::string* fields[] = {&CompanyName,     &FileDescription,  &FileVersion, &InternalName,   &LegalCopyright,
                           &LegalTrademarks, &OriginalFilename, &ProductName, &ProductVersion, &Comments};
  for (std::string* f : fields) f->clear();
  if (!table_) return false;
  const char* values[] = {table_->companyName,      table_->fileDescription, table_->fileVersion,
                          table_->internalName,     table_->legalCopyright,  table_->legalTrademarks,
                          table_->originalFilename, table_->productName,     table_->productVersion,
                          table_->comments};
  for (int i = 0; i < 10; ++i) {
    if (values[i]) *fields[i] = values[i];
  }
  return true;
}

bool ProgramIdentity::Complete() const {
  return !companyName.empty() && !fileDescription.empty() && !fileVersion.empty() && !internalName.empty();
}

ProgramIdentity IdentityFromVersionInfo(const TUlkFileversionInfo& info) {
  auto cut = [](const std::string& value, std::size_t limit) {
    std::string s = SafeNameText(value);
    if (s.size() > limit) s.resize(limit);
    return s;
  };
  ProgramIdentity id;
  id.companyName = cut(info.CompanyName, 199);
  id.fileDescription = cut(info.FileDescription, 199);
  id.fileVersion = cut(info.FileVersion, 199);
  id.internalName = cut(info.InternalName, 258);
  return id;
}

std::string RearrangeBuildDate(const std::string& compilerDate) {
  std::vector<std::string> words;
  std::string word;
  for (char c : compilerDate) {
    if (c == ' ') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word.push_back(c);
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  while (words.size() < 3) words.emplace_back();
  std::string out = words[1] + " " + words[0] + " " + words[2];
  return out;
}

std::string VersionLabelText(const std::string& fileVersion, const std::string& compilerDate) {
  std::string text = "V " + fileVersion + "  (" + RearrangeBuildDate(compilerDate) + ")";
  if (text.size() > 199) text.resize(199);
  return text;
}

}  // namespace quill
