#include "ui/file_dialog.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "sys/path.h"
#include "ui/buttons.h"
#include "ui/dialog_frame.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/message_box.h"
#include "ui/text_box.h"
#include "ui/toolkit.h"
#include "sys/text.h"

namespace ui {

namespace fs = std::filesystem;

std::vector<std::pair<std::string, std::string>> parseFileFilter(const std::string& filter) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : filter) {
    if (c == '\0' || c == '/') {
      parts.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  parts.push_back(cur);
  while (!parts.empty() && parts.back().empty()) parts.pop_back();
  std::vector<std::pair<std::string, std::string>> out;
  for (size_t i = 0; i < parts.size(); i += 2) {
    std::string pattern = i + 1 < parts.size() && !parts[i + 1].empty() ? parts[i + 1] : "*.*";
    out.emplace_back(parts[i], pattern);
  }
  if (out.empty()) out.emplace_back("全てのﾌｧｲﾙ(*.*)", "*.*");
  return out;
}

namespace {

constexpr int kWidth = 480, kHeight = 344;

// The extension a save gets when the name has none: that of a filter like "*.map".
std::string defaultExtension(const std::string& pattern) {
  std::string first = pattern.substr(0, pattern.find(';'));
  if (first.size() > 2 && first[0] == '*' && first[1] == '.' && first.find_first_of("*?", 2) == std::string::npos)
    return first.substr(1);
  return "";
}

bool isDirectory(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

class FileDialog {
 public:
  explicit FileDialog(const FileDialogOptions& o)
      : options_(o),
        filters_(parseFileFilter(o.filter)),
        frame_("FileDialog",
               !o.title.empty() ? o.title
               : o.save         ? "ファイルを保存する"
                                : "ファイルを開く",
               kWidth, kHeight),
        win_(frame_.window()) {
    fs::path start = o.initialDir.empty() ? fs::path(".") : sys::resolvePath(o.initialDir);
    if (!isDirectory(start)) start = ".";
    std::error_code ec;
    folder_ = fs::weakly_canonical(fs::absolute(start, ec), ec);

    PictureBox& face = frame_.face();
    auto label = [&](const char* name, const std::string& text, int x, int y, int w) -> Label& {
      auto& l = win_.add<Label>(name, &face);
      l.move(x, y, w, 20);
      l.setTransparent(true);
      l.setCaption(text);
      return l;
    };
    label("FileDialog.lookIn", "場所:", 12, 38, 60);
    place_ = &label("FileDialog.place", "", 72, 38, 320);
    up_ = &win_.add<CommandButton>("FileDialog.up", &face);
    up_->move(kWidth - 88, 33, 76, 24);
    up_->setCaption("上へ");
    up_->Click = [this] { goUp(); };

    list_ = &win_.add<ListBox>("FileDialog.list", &face);
    list_->move(12, 64, kWidth - 24, 200);
    list_->Click = [this] {
      const Entry* e = selected();
      if (!e || e->folder) return;
      if (multi() && (shiftState() & kCtrlMask)) {
        auto at = std::find(picked_.begin(), picked_.end(), e->name);
        if (at != picked_.end())
          picked_.erase(at);
        else
          picked_.push_back(e->name);
      } else {
        picked_ = {e->name};
      }
      std::string text;
      if (picked_.size() == 1) text = picked_[0];
      if (picked_.size() > 1)
        for (const auto& n : picked_) text += (text.empty() ? "\"" : " \"") + n + "\"";
      name_->setText(text);
    };
    list_->DblClick = [this] {
      const Entry* e = selected();
      if (!e) return;
      if (e->folder)
        enter(folder_ / e->name);
      else
        accept(e->name);
    };
    list_->KeyDown = [this](int& key, int) {
      if (key == kVkBack) {
        key = 0;
        goUp();
      }
    };

    label("FileDialog.nameLabel", "ファイル名:", 12, 278, 90);
    name_ = &win_.add<TextBox>("FileDialog.name", &face);
    name_->move(104, 274, kWidth - 104 - 96, 24);
    std::string def = o.defaultFile;
    // The platform's name buffer holds 250 characters; never cut one in half.
    size_t cut = 0;
    for (int n = 0; n < 250 && cut < def.size(); ++n) sys::nextCodePoint(def, cut);
    def.resize(cut);
    name_->setText(def);
    ok_ = &win_.add<CommandButton>("FileDialog.ok", &face);
    ok_->move(kWidth - 88, 274, 76, 24);
    ok_->setCaption(o.save ? "保存" : "開く");
    ok_->Click = [this] { okPressed(); };

    label("FileDialog.typeLabel", "ファイルの種類:", 12, 310, 90);
    type_ = &win_.add<CommandButton>("FileDialog.type", &face);
    type_->move(104, 306, kWidth - 104 - 96, 24);
    type_->Click = [this] {
      filterIndex_ = (filterIndex_ + 1) % static_cast<int>(filters_.size());
      fill();
    };
    cancel_ = &win_.add<CommandButton>("FileDialog.cancel", &face);
    cancel_->move(kWidth - 88, 306, 76, 24);
    cancel_->setCaption("キャンセル");
    cancel_->Click = [this] { win_.hide(); };

    win_.defaultButton = ok_;
    win_.cancelButton = cancel_;
    fill();
  }

  std::string run() {
    win_.show();
    name_->setFocus();
    name_->setSelStart(0);
    name_->setSelLength(static_cast<int>(name_->text().size()));
    win_.showModal();
    return result_;
  }

 private:
  struct Entry {
    std::string name;
    bool folder;
  };

  const Entry* selected() const {
    int i = list_->listIndex();
    return i >= 0 && i < static_cast<int>(entries_.size()) ? &entries_[static_cast<size_t>(i)] : nullptr;
  }

  void fill() {
    const auto& [desc, pattern] = filters_[static_cast<size_t>(filterIndex_)];
    type_->setCaption(desc + "  ▼");
    // A long folder shows its end, where the names that matter are.
    std::string where = folder_.string();
    auto font = gfx::Font::open(place_->font());
    while (font->extent(where).cx > place_->width() && where.size() > 4) {
      size_t i = 3;
      sys::nextCodePoint(where, i);
      where = "..." + where.substr(i);
    }
    place_->setCaption(where);
    std::vector<Entry> folders, files;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
      std::string n = it->path().filename().string();
      if (n.empty() || n[0] == '.') continue;
      std::error_code fe;
      if (it->is_directory(fe))
        folders.push_back({n, true});
      else if (it->is_regular_file(fe) && matchesPattern(n, pattern))
        files.push_back({n, false});
    }
    auto byName = [](const Entry& a, const Entry& b) {
      int c = compareListText(a.name, b.name);
      return c != 0 ? c < 0 : a.name < b.name;
    };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    picked_.clear();
    entries_ = folders;
    entries_.insert(entries_.end(), files.begin(), files.end());
    list_->clear();
    for (const auto& e : entries_) list_->addItem(e.folder ? "[" + e.name + "]" : e.name);
  }

  void enter(const fs::path& p) {
    std::error_code ec;
    folder_ = fs::weakly_canonical(p, ec);
    fill();
  }

  void goUp() {
    if (folder_.has_parent_path() && folder_.parent_path() != folder_) enter(folder_.parent_path());
  }

  void okPressed() {
    std::string n = name_->text();
    n.erase(0, n.find_first_not_of(' '));
    n.erase(n.find_last_not_of(' ') + 1);
    const Entry* e = selected();
    if (list_->hasFocus() && e && e->folder) {
      enter(folder_ / e->name);
      return;
    }
    if (n.empty()) return;
    if (multi() && n[0] == '"') {
      acceptSeveral(n);
      return;
    }
    accept(n);
  }

  bool multi() const { return options_.multiSelect && !options_.save; }

  // The name box as the platform's multiple choice: "a.map" "b.map".
  void acceptSeveral(const std::string& text) {
    std::vector<std::string> names;
    for (size_t i = 0; i < text.size();) {
      size_t open = text.find('"', i);
      if (open == std::string::npos) break;
      size_t close = text.find('"', open + 1);
      if (close == std::string::npos) close = text.size();
      std::string n = text.substr(open + 1, close - open - 1);
      if (!n.empty()) names.push_back(n);
      i = close + 1;
    }
    if (names.empty()) return;
    if (names.size() == 1) {
      accept(names[0]);
      return;
    }
    std::string out = folder_.lexically_normal().string();
    for (const auto& n : names) {
      fs::path found = sys::resolvePath((folder_ / n).string());
      std::error_code ec;
      if (n.find_first_of("/\\") != std::string::npos || !fs::is_regular_file(found, ec)) {
        MsgBox(n + "\nファイルが見つかりません。\nファイル名を確認してください。", kMbOkOnly | kMbExclamation,
               frame_title());
        return;
      }
      out += "\t" + found.filename().string();
    }
    result_ = out;
    win_.hide();
  }

  void accept(std::string n) {
    const std::string& title = frame_title();
    for (char& c : n)
      if (c == '\\') c = '/';
    fs::path p = n[0] == '/' ? fs::path(n) : folder_ / n;
    if (isDirectory(p)) {
      enter(p);
      name_->setText("");
      return;
    }
    std::string leaf = p.filename().string();
    if (leaf.empty() || leaf.find_first_of("<>:\"|?*") != std::string::npos) {
      MsgBox(n + "\nファイル名が正しくありません。", kMbOkOnly | kMbExclamation, title);
      return;
    }
    if (!isDirectory(p.parent_path())) {
      MsgBox(n + "\nパスが存在しません。\nパスを確認してください。", kMbOkOnly | kMbExclamation, title);
      return;
    }
    // Names match without regard to case, as the game's files always did.
    fs::path found = sys::resolvePath(p.string());
    std::error_code ec;
    bool exists = fs::is_regular_file(found, ec);
    if (!options_.save) {
      if (!exists) {
        MsgBox(leaf + "\nファイルが見つかりません。\nファイル名を確認してください。", kMbOkOnly | kMbExclamation,
               title);
        return;
      }
      p = found;
    } else {
      if (leaf.find('.') == std::string::npos) {
        std::string ext = defaultExtension(filters_[static_cast<size_t>(filterIndex_)].second);
        if (!ext.empty()) {
          p += ext;
          found = sys::resolvePath(p.string());
          exists = fs::is_regular_file(found, ec);
        }
      }
      if (exists) {
        if (MsgBox(found.filename().string() + " は既に存在します。\n上書きしますか?", kMbYesNo | kMbExclamation,
                   title) != kMbYes)
          return;
        p = found;
      }
    }
    result_ = p.lexically_normal().string();
    win_.hide();
  }

  const std::string& frame_title() const { return title_; }

  FileDialogOptions options_;
  std::vector<std::pair<std::string, std::string>> filters_;
  std::string title_ = !options_.title.empty() ? options_.title
                       : options_.save         ? "ファイルを保存する"
                                               : "ファイルを開く";
  DialogFrame frame_;
  Window& win_;
  fs::path folder_;
  std::vector<Entry> entries_;
  std::vector<std::string> picked_;  // the files chosen in the list, in order
  int filterIndex_ = 0;
  Label* place_ = nullptr;
  CommandButton* up_ = nullptr;
  ListBox* list_ = nullptr;
  TextBox* name_ = nullptr;
  CommandButton* ok_ = nullptr;
  CommandButton* type_ = nullptr;
  CommandButton* cancel_ = nullptr;
  std::string result_;
};

}  // namespace

std::string showFileDialog(const FileDialogOptions& options) {
  if (!hasBackend()) return "";
  FileDialog d(options);
  return d.run();
}

}  // namespace ui
