// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Questions the core asks the user: real dialogs in the window, scripted
// answers in tests, options on the command line.
#include <string>

namespace quill {

class QuestionSeam {
 public:
  virtual ~QuestionSeam() = default;
  // A duplicate name during a load or add: 0 keep, 1 replace, 2 allow.
  virtual int AskDuplicate(const std::string& name) = 0;
  // "Are you sure?" with a caption naming the operation; true only for Yes.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
  // The same for a Yes that destroys data, with a line that names what goes
  // ("Clear the list of 11,082 waypoints."), since a window manager may cut
  // the caption. Enter and Escape answer No.
  virtual bool AskDestructive(const std::string& caption, const std::string& text, const std::string& detail) {
    (void)detail;
    return AskYesNo(caption, text);
  }
  // The rename confirmation: the new name of the first row as the text,
  // "Is this name OK?" as the caption; true only for OK.
  virtual bool ConfirmRename(const std::string& name) { return AskYesNo("Is this name OK?", name); }
};

}  // namespace quill
