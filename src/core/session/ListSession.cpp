// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/ListSession.h"

#include <algorithm>

#include "base/FileIo.h"
#include "base/Platform.h"
#include "base/ProgramFolders.h"
#include "base/UserFolders.h"
#include "text/Ansi.h"
#include "text/TextHelpers.h"

namespace quill {
namespace {

std::string ResolvedPath(const std::string& fileName) {
  std::string path;
  return platform::ResolvePath(fileName, path) ? path : fileName;
}

}  // namespace

std::string SessionSettings::FavoriteFile() const { return AnsiToUtf8(stored.FavoriteFile); }

std::string SessionSettings::ArchiveFile() const { return AnsiToUtf8(stored.ArchiveFile); }

ListSession::ListSession(StatusSink& status, QuestionSeam& questions)
    : status_(status), questions_(questions), programFolder_(DataFolder()), workFolder_(CacheFolder()) {
  store_.SetDuplicateQuestion([this](const std::string& name) { return questions_.AskDuplicate(name); });
}

void ListSession::RememberFile(const std::string& fileName) {
  std::string folder(FolderPart(fileName));
  if (folder.empty()) folder.assign(1, '.');
  settings_.savePathGpx = folder;
  if (onSavePathChanged) onSavePathChanged(folder);
  currentFileName_ = std::string(FileNamePart(fileName));
}

bool ListSession::LoadFile(const std::string& fileName) { return LoadInto(fileName, {}, kFormatByExtension); }

bool ListSession::LoadFile(const std::string& fileName, int formatCode) { return LoadInto(fileName, {}, formatCode); }

bool ListSession::LoadFileAs(const std::string& fileName, const std::string& listName) {
  return LoadInto(fileName, listName.empty() ? std::string(FileNamePart(fileName)) : listName, kFormatByExtension);
}

bool ListSession::LoadInto(const std::string& fileName, const std::string& listName, int formatCode) {
  bool wasEmpty = store_.ShownWaypoints().empty();
  if (fileName.empty()) return false;
  status_.SetError(0, "Busy...");
  store_.SetDuplicateMode(kDuplicateAsk);
  const FileFormat* format = FormatForCode(formatCode);
  ReaderFn reader = formatCode == kFormatByExtension ? ReaderForPath(fileName) : format ? format->reader : nullptr;
  if (!reader) {
    status_.SetError(2, "Unknown Extension");
    return false;
  }
  ReadOptions options;
  options.includeGroundspeak = settings_.stored.IncludeGroundspeak;
  options.noCheckWhenEmpty = settings_.stored.NoCheckWhenEmpty;
  options.status = &status_;
  options.progress = onProgress;
  ReadResult result;
  const ListMark before = Mark();
  store_.BeginJournal();
  bool ok = reader(fileName, store_, options, &result);
  WaypointStore::Journal journal = store_.EndJournal();
  lastImportSeconds_ = result.elapsedSeconds;
  // Also after a failure: what was read stays in the list without its data.
  if (result.groundspeakDropped > 0) NoteStrippedFile(fileName);
  const std::string& reason = result.error;
  const std::string shownName = listName.empty() ? Utf8ToAnsi(std::string(FileNamePart(fileName))) : listName;
  const bool changed = !journal.added.empty() || !journal.replaced.empty();
  const std::size_t added = journal.added.size();
  std::unique_ptr<ListStep> step =
      JournalStep("Load " + shownName + " (" + WaypointCountText(added) + ")", std::move(journal));
  step->before = before;
  if (!ok) {
    // Records read before the failure stay, as a step of their own.
    if (changed) PushStep(std::move(step));
    if (onListRebuilt) onListRebuilt();
    status_.SetError(2, reason.empty() ? std::string("Error loading file") : "Error loading file: " + reason);
    return false;
  }
  if (currentFileName_.empty()) {
    if (listName.empty()) {
      RememberFile(fileName);
    } else {
      currentFileName_ = listName;
    }
  }
  // A load that changed nothing leaves the modified flag as it was.
  if (changed) {
    PushStep(std::move(step));
    // Loaded into an empty list, the list is the file.
    if (wasEmpty) history_.MarkClean(ResolvedPath(fileName), currentFileName_);
    listModified_ = !wasEmpty;
  }
  StateChanged();
  if (onListRebuilt) onListRebuilt();
  if (!reason.empty()) {
    // Read as far as it was whole: the damage stays on the bar.
    status_.SetError(2, reason);
    return true;
  }
  // Tells why Local, the cache columns and the cache filters stay empty.
  if (result.groundspeakDropped > 0) {
    status_.SetError(1, kGroundspeakNotKept);
  } else {
    status_.SetError(0, "");
  }
  status_.FlashError(0, "Done!");
  return true;
}

void ListSession::NoteStrippedFile(const std::string& fileName) {
  if (SaveLosesGroundspeak(fileName)) return;
  StrippedFile file;
  file.path = ResolvedPath(fileName);
  platform::FileInfo info = platform::Stat(fileName);
  if (info.kind == platform::FileKind::kRegular) {
    file.device = info.device;
    file.inode = info.inode;
  }
  strippedFiles_.push_back(std::move(file));
}

bool ListSession::IsStrippedFile(const StrippedFile& file, const std::string& fileName) {
  const platform::FileInfo info = platform::Stat(fileName);
  const bool sameFile = info.kind == platform::FileKind::kRegular && file.inode != 0 && file.device == info.device &&
                        file.inode == info.inode;
  return sameFile || file.path == ResolvedPath(fileName);
}

bool ListSession::SaveLosesGroundspeak(const std::string& fileName) const {
  return std::any_of(strippedFiles_.begin(), strippedFiles_.end(),
                     [&](const StrippedFile& f) { return IsStrippedFile(f, fileName); });
}

bool ListSession::SaveFile(const std::string& fileName, int formatCode) {
  if (fileName.empty()) return false;
  if (SaveLosesGroundspeak(fileName) &&
      !questions_.AskDestructive("Save", "Are you sure?",
                                 "Save " + WaypointCountText(store_.ShownWaypoints().size()) + " over " +
                                     Utf8ToAnsi(std::string(FileNamePart(fileName))) +
                                     ": the geocaching info of this file was not loaded and will be lost.")) {
    return false;
  }
  if (!WriteCopy(fileName, formatCode)) return false;
  // The file now holds what the list holds.
  std::erase_if(strippedFiles_, [&](const StrippedFile& f) { return IsStrippedFile(f, fileName); });
  RememberFile(fileName);
  listModified_ = false;
  history_.MarkClean(ResolvedPath(fileName), currentFileName_);
  StateChanged();
  status_.SetError(0, "");
  // File names are UTF-8 bytes; messages are memory text.
  status_.FlashError(0, "Saved to " + Utf8ToAnsi(fileName));
  return true;
}

bool ListSession::WriteCopy(const std::string& fileName, int formatCode) {
  const auto& shown = store_.ShownWaypoints();
  return WriteRecords(fileName, formatCode, RecordSpan(shown.data(), shown.size()));
}

bool ListSession::WriteRecords(const std::string& fileName, int formatCode, RecordSpan records) {
  status_.SetError(0, "Busy...");
  int code = formatCode;
  if (code == kFormatByExtension) {
    code = FormatCodeForExtension(FileExtension(fileName));
  }
  const FileFormat* entry = FormatForCode(code);
  if (!entry || !entry->writer) {
    status_.SetError(2, "Unknown Extension");
    return false;
  }
  WriteOptions options;
  options.internalName = settings_.internalName;
  options.txtExportMode = settings_.txtExportMode;
  options.status = &status_;
  bool ok = entry->writer(fileName, records, options);
  if (code == kFormatOv2) CopyOv2Bitmap(fileName);
  if (!ok) {
    status_.SetError(2, "Error saving file");
    return false;
  }
  return true;
}

bool ListSession::SaveRecords(const std::string& fileName, int formatCode,
                              const std::vector<const TGpxRecord*>& records) {
  if (fileName.empty() || records.empty()) return false;
  if (SaveLosesGroundspeak(fileName) &&
      !questions_.AskDestructive("Save", "Are you sure?",
                                 "Save " + WaypointCountText(records.size()) + " over " +
                                     Utf8ToAnsi(std::string(FileNamePart(fileName))) +
                                     ": the geocaching info of this file was not loaded and will be lost.")) {
    return false;
  }
  if (!WriteRecords(fileName, formatCode, RecordSpan(records.data(), records.size()))) return false;
  // The list's own file, name and modified mark stay: the file holds a part of it.
  status_.SetError(0, "");
  status_.FlashError(0, "Saved " + WaypointCountText(records.size()) + " to " + Utf8ToAnsi(fileName));
  return true;
}

// A TomTom device shows the POIs of NAME.ov2 with the icon NAME.bmp; the
// program's folder may hold icons for the names users save under. Never
// overwrites, and a failed copy is silent.
void ListSession::CopyOv2Bitmap(const std::string& savedFile) const {
  std::string_view name = FileNamePart(savedFile);
  std::string base(name.substr(0, name.size() - FileExtension(name).size()));
  std::string folder = programFolder_.empty() ? std::string("./") : programFolder_;
  if (folder.back() != '/') folder += '/';
  std::string source = folder + base + ".bmp";
  std::string target = std::string(FolderPart(savedFile)) + base + ".bmp";
  if (FileExists(target)) return;
  InputFile in;
  if (!in.Open(source, false)) return;
  AtomicFileWriter out;
  if (!out.Open(target, false)) return;
  for (std::string_view chunk = in.ReadChunk(); !chunk.empty(); chunk = in.ReadChunk()) out.Write(chunk);
  if (in.HadError()) return;
  // Another save may have put one there meanwhile.
  if (FileExists(target)) return;
  out.Commit();
}

bool ListSession::LoadFavorite() {
  status_.SetError(0, "");
  bool ok = LoadFile(settings_.FavoriteFile());
  favoriteLoaded_ = true;
  return ok;
}

bool ListSession::SaveFavorite() {
  status_.SetError(0, "");
  if (!favoriteLoaded_) {
    status_.SetError(2, "Favorite file not loaded!");
    return false;
  }
  if (settings_.stored.WarnSaveFav &&
      !questions_.AskDestructive("Save Favorite File", "Are you sure?",
                                 "Save " + WaypointCountText(store_.ShownWaypoints().size()) + " over " +
                                     Utf8ToAnsi(std::string(FileNamePart(settings_.FavoriteFile()))) + ".")) {
    return false;
  }
  return SaveFile(settings_.FavoriteFile(), kFormatByExtension);
}

}  // namespace quill
