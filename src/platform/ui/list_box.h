// List boxes. A sorted list keeps its items in order even while hidden, which the game uses
// as a sorter. The file list box lists the files of a folder that match a pattern.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/drawn_control.h"

namespace ui {

// The platform's order for a sorted list: letters compared without case, then by character.
int compareListText(const std::string& a, const std::string& b);

class ListBox : public DrawnControl {
 public:
  // Adds at `index` (-1: the end); a sorted list puts it in order instead. newIndex() tells
  // where it went.
  void addItem(const std::string& text, int index = -1);
  void removeItem(int index);
  void clear();
  int listCount() const { return static_cast<int>(items_.size()); }
  // "" outside the list.
  std::string list(int index) const;
  void setList(int index, const std::string& text);
  int32_t itemData(int index) const;
  void setItemData(int index, int32_t data);
  int newIndex() const { return newIndex_; }
  // The selected item, -1 for none. Setting a different one raises Click.
  int listIndex() const { return listIndex_; }
  void setListIndex(int index);
  // The selected item's text.
  std::string text() const { return list(listIndex_); }
  int topIndex() const { return top_; }
  void setTopIndex(int index);
  bool sorted() const { return sorted_; }
  // Sorting an existing list puts its items in order at once.
  void setSorted(bool s);

  bool canFocus() const override { return true; }
  void handleMouseDown(int button, int shift, int x, int y) override;
  void handleMouseMove(int button, int shift, int x, int y) override;
  void handleMouseUp(int button, int shift, int x, int y) override;
  void handleClick() override {}  // Click is raised by a change of selection
  void handleKeyDown(int& key, int shift) override;
  void handleWheel(int notches) override { setTopIndex(top_ - 3 * notches); }
  void handleGotFocus() override;
  void handleLostFocus() override;

 protected:
  friend class Window;
  ListBox(Window* w, std::string name);
  void render(gfx::Surface& face) override;
  int lineHeight() const;
  int visibleLines() const;
  bool hasScrollBar() const { return listCount() > visibleLines(); }

 private:
  struct Item {
    std::string text;
    int32_t data = 0;
  };
  void select(int index);
  void scrollTo(int index);
  std::vector<Item> items_;
  bool sorted_ = false;
  int listIndex_ = -1;
  int newIndex_ = -1;
  int top_ = 0;
  int arrowHeld_ = 0;  // -1 up arrow, 1 down arrow being pressed
};

class FileListBox : public ListBox {
 public:
  // The folder (a game path); the list is read again.
  const std::string& path() const { return path_; }
  void setPath(const std::string& gamePath);
  // Patterns such as "*.dat", several separated by ";"; the list is read again.
  const std::string& pattern() const { return pattern_; }
  void setPattern(const std::string& p);
  // Reads the folder again.
  void refresh() override;
  // The selected file's name.
  std::string fileName() const { return text(); }

 protected:
  friend class Window;
  FileListBox(Window* w, std::string name);

 private:
  std::string path_ = ".";
  std::string pattern_ = "*.*";
};

// Whether a file name matches one of the ";"-separated patterns ("*" and "?"; letter case
// ignored; "*.*" matches every name).
bool matchesPattern(const std::string& name, const std::string& patterns);

}  // namespace ui
