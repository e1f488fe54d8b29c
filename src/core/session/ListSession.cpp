#include "session/ListSession.h"

#include "text/TextHelpers.h"

namespace quill {

ListSession::ListSession(StatusSink& status, QuestionSeam& questions) : status_(status), questions_(questions) {
  store_.SetDuplicateQuestion([this](const std::string& name) { return questions_.AskDuplicate(name); });
}

void ListSession::RememberFile(const std::string& fileName) {
  std::string folder(FolderPart(fileName));
  if (folder.empty()) folder = ".";
  settings_.savePathGpx = folder;
  if (onSavePathChanged) onSavePathChanged(folder);
  currentFileName_ = std::string(FileNamePart(fileName));
}

bool ListSession::LoadFile(const std::string& fileName) {
  bool wasEmpty = store_.ShownWaypoints().empty();
  if (fileName.empty()) return false;
  status_.SetError(0, "Busy...");
  store_.SetDuplicateMode(kDuplicateAsk);
  ReaderFn reader = ReaderForPath(fileName);
  if (!reader) {
    status_.SetError(2, "Unknown Extension");
    return false;
  }
  ReadOptions options;
  options.includeGroundspeak = settings_.includeGroundspeak;
  options.noCheckWhenEmpty = settings_.noCheckWhenEmpty;
  options.status = &status_;
  options.progress = onProgress;
  ReadResult result;
  bool ok = reader(fileName, store_, options, &result);
  lastImportSeconds_ = result.elapsedSeconds;
  if (!ok) {
    // Records read before the failure stay; the view shows them.
    if (onListRebuilt) onListRebuilt();
    status_.SetError(2, "Error loading file");
    return false;
  }
  if (onListRebuilt) onListRebuilt();
  if (currentFileName_.empty()) RememberFile(fileName);
  listModified_ = !wasEmpty;
  status_.SetError(0, "");
  status_.FlashError(0, "Done!");
  return true;
}

bool ListSession::SaveFile(const std::string& fileName, int formatCode) {
  if (fileName.empty()) return false;
  status_.SetError(0, "Busy...");
  int code = formatCode;
  if (code == kFormatByExtension) {
    code = FormatCodeForExtension(FileExtension(fileName));
  }
  const SaveEntry* entry = SaveEntryForCode(code);
  if (!entry) {
    status_.SetError(2, "Unknown Extension");
    return false;
  }
  WriteOptions options;
  options.internalName = settings_.internalName;
  options.txtExportMode = settings_.txtExportMode;
  options.status = &status_;
  const auto& shown = store_.ShownWaypoints();
  RecordSpan records(shown.data(), shown.size());
  bool ok = entry->writer(fileName, records, options);
  if (!ok) {
    status_.SetError(2, "Error saving file");
    return false;
  }
  RememberFile(fileName);
  listModified_ = false;
  status_.SetError(0, "");
  status_.FlashError(0, "Saved to " + fileName);
  return true;
}

}  // namespace quill
