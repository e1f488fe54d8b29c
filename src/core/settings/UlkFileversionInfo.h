// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's version values. They are fixed at build time (the generated
// quillmark/BuildVersion.h); a test hands in a table of its own.
#include <string>

namespace quill {

struct VersionTable {
  const char* companyName = nullptr;
  const char* fileDescription = nullptr;
  const char* fileVersion = nullptr;
  const char* internalName = nullptr;
  const char* legalCopyright = nullptr;
  const char* legalTrademarks = nullptr;
  const char* originalFilename = nullptr;
  const char* productName = nullptr;
  const char* productVersion = nullptr;
  const char* comments = nullptr;
};

// The table of this build.
const VersionTable& BuildVersionTable();

class TUlkFileversionInfo {
 public:
  TUlkFileversionInfo();  // reads the build's table
  explicit TUlkFileversionInfo(const VersionTable* table);

  // Fills the ten fields; false (all empty) when there is no table.
  bool GetInfo();

  std::string CompanyName;
  std::string FileDescription;
  std::string FileVersion;
  std::string InternalName;
  std::string LegalCopyright;
  std::string LegalTrademarks;
  std::string OriginalFilename;
  std::string ProductName;
  std::string ProductVersion;
  std::string Comments;

 private:
  const VersionTable* table_;
};

// The identity the window takes from the version values: each passed through
// SafeNameText and cut to its buffer (199 characters, the internal name 258).
struct ProgramIdentity {
  std::string companyName;
  std::string fileDescription;
  std::string fileVersion;
  std::string internalName;
  // False when one of the four is empty ("Incomplete Version Info").
  bool Complete() const;
};
ProgramIdentity IdentityFromVersionInfo(const TUlkFileversionInfo& info);

// "Sep 24 2010" (a compiler date, the day possibly padded with a blank) as
// "24 Sep 2010": the words rejoined second, first, third.
std::string RearrangeBuildDate(const std::string& compilerDate);
// "V %s  (%s)" with the file version and the rearranged date, cut to 199 characters.
std::string VersionLabelText(const std::string& fileVersion, const std::string& compilerDate);

}  // namespace quill
