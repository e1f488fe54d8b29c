// SPDX-License-Identifier: GPL-3.0-or-later
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliListOptions.h"
#include "cli/CliOptions.h"
#include "cli/CliSinks.h"
#include "gps/ReceiverDrive.h"
#include "session/ListSession.h"
#include "text/TextHelpers.h"

namespace quill::cli {
namespace {

const ExtraOptionNames& SendOptionNames() {
  static const ExtraOptionNames names = [] {
    ExtraOptionNames n = ListOptionNames();
    n.withValue.push_back("--device");
    n.withValue.push_back("--name");
    return n;
  }();
  return names;
}

std::string LastValue(const std::vector<CliOption>& extra, std::string_view name) {
  std::string value;
  for (const CliOption& o : extra) {
    if (o.name == name) value = o.value;
  }
  return value;
}

}  // namespace

int RunDevices(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (!args.empty()) return UsageError(err, "devices takes no arguments");
  const std::vector<ReceiverDrive> found = FindReceivers();
  if (found.empty()) PrintError(err, {}, "no GPS receiver found");
  for (const ReceiverDrive& r : found) {
    out << r.model << '\t' << r.root << '\t' << SizeText(r.freeBytes) << " free" << (r.readOnly ? " (read-only)" : "")
        << '\t' << r.gpxFolder << '\n';
  }
  out.flush();
  return out ? 0 : 1;
}

int RunSend(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, SendOptionNames(), options, error)) return UsageError(err, error);
  if (options.files.empty()) return UsageError(err, "send needs at least one INPUT");
  const std::string device = LastValue(options.extra, "--device");

  // The receiver is settled before any work, so a wrong one costs nothing.
  ReceiverDrive receiver;
  if (!ChooseReceiver(device.empty() ? FindReceivers() : std::vector<ReceiverDrive>{}, device, receiver, error)) {
    PrintError(err, device, device.empty() ? error + "; name one with --device PATH" : error);
    return 1;
  }
  std::string name = LastValue(options.extra, "--name");
  const std::string& first = options.files.front();
  if (name.empty()) name = first == "-" ? std::string("waypoints") : std::string(FileNamePart(first));
  std::string fileName;
  if (!ReceiverFileName(receiver, name, fileName, error)) return UsageError(err, "--name: " + error);

  FixedAnswers answers;
  StderrStatus status(err);
  ListSession session(status, answers);
  if (int rc = LoadWithListOptions(options, session, answers, err)) return rc;

  // The free space now, after the load.
  ReceiverDrive now;
  if (!ReadReceiver(receiver.root, now, error)) {
    PrintError(err, receiver.root, error);
    return 1;
  }
  WriteOptions writeOptions;
  writeOptions.internalName = session.Settings().internalName;
  const auto& shown = session.Store().ShownWaypoints();
  std::string written;
  if (!SendToReceiver(now, fileName, RecordSpan(shown.data(), shown.size()), writeOptions, written, error)) {
    PrintError(err, receiver.root, error);
    return 1;
  }
  out << written << '\n';
  out.flush();
  return EndCommand(out ? 0 : 1, out, err);
}

}  // namespace quill::cli
