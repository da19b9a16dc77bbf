// The open and save dialog, drawn inside the main window: a folder's sub-folders and the
// files that match the chosen filter, a file-name box, the filter choice, and an overwrite
// question on save. Fully usable by keyboard: Tab between the parts, Enter to open a folder
// or accept, Backspace in the list for the folder above, Escape to cancel.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace ui {

struct FileDialogOptions {
  // Description and pattern pairs, separated by NUL characters or "/" (e.g.
  // "MAPﾌｧｲﾙ(*.map)/*.map/全てのﾌｧｲﾙ(*.*)/*.*").
  std::string filter;
  std::string initialDir;   // a game path; "" or a missing folder: the current folder
  std::string defaultFile;  // put in the name box
  std::string title;        // "": "ファイルを開く" or "ファイルを保存する"
  bool save = false;
  // Open only: Ctrl+click in the list (or several quoted names in the name box) picks
  // several files.
  bool multiSelect = false;
};

// The chosen file's full path, or "" when cancelled (and with no backend to ask with).
// Several files chosen: the folder, then each name, separated by tabs.
std::string showFileDialog(const FileDialogOptions& options);

// The filter text as (description, pattern) pairs; a lone description gets "*.*".
std::vector<std::pair<std::string, std::string>> parseFileFilter(const std::string& filter);

}  // namespace ui
