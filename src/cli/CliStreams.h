// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Standard input and output as the files the readers and writers take: "-"
// passes through a private file in the cache folder.
#include <iosfwd>
#include <string>

namespace quill::cli {

// A new empty file for the user alone in the cache folder, removed with the
// object; Ok() is false when none could be made.
class StagedFile {
 public:
  explicit StagedFile(const std::string& prefix, const std::string& suffix = {});
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  bool Ok() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Copies everything in `in` into the file at path; head gets the first
// kSniffBytes, complete whether that was all. False with the reason.
bool CopyStreamToFile(std::istream& in, const std::string& path, std::string& head, bool& complete, std::string& error);
// Copies the file at path to out; false when it could not be read or out failed.
bool CopyFileToStream(const std::string& path, std::ostream& out);
// The first kSniffBytes of a file (complete: that was all). False with the
// reason when it cannot be read.
bool ReadHead(const std::string& path, std::string& head, bool& complete, std::string& error);

}  // namespace quill::cli
