#include "ui/list_box.h"

#include <algorithm>
#include <filesystem>

#include "gfx/blit.h"
#include "gfx/text.h"
#include "sys/path.h"
#include "ui/toolkit.h"

namespace ui {

namespace {
constexpr int kBarWidth = 16;

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool wildcard(const char* p, const char* s) {
  // Iterative matching with one backtrack point: linear enough for file names.
  const char *star = nullptr, *resume = nullptr;
  while (*s) {
    if (*p == '?' || (*p && *p != '*' && lower(*p) == lower(*s))) {
      ++p;
      ++s;
    } else if (*p == '*') {
      star = p++;
      resume = s;
    } else if (star) {
      p = star + 1;
      s = ++resume;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == 0;
}
}  // namespace

int compareListText(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(lower(a[i])), y = static_cast<unsigned char>(lower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return 0;
}

bool matchesPattern(const std::string& name, const std::string& patterns) {
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(';', start);
    if (end == std::string::npos) end = patterns.size();
    std::string p = patterns.substr(start, end - start);
    p.erase(0, p.find_first_not_of(' '));
    p.erase(p.find_last_not_of(' ') + 1);
    if (!p.empty()) {
      // "*.*" is every name, with or without a dot, as on the platform.
      if (p == "*.*" || p == "*") return true;
      if (wildcard(p.c_str(), name.c_str())) return true;
      // "*." matches names without an extension.
      if (p.size() >= 2 && p.back() == '.' && name.find('.') == std::string::npos &&
          wildcard(p.substr(0, p.size() - 1).c_str(), name.c_str()))
        return true;
    }
    start = end + 1;
  }
  return false;
}

ListBox::ListBox(Window* w, std::string name) : DrawnControl(w, std::move(name)) {
  Control::setBackColor(kWindowColor);
  move(0, 0, 120, 100);
}

void ListBox::addItem(const std::string& text, int index) {
  int n = listCount();
  if (sorted_) {
    // After every equal item: items added with the same text keep their order.
    auto it = std::upper_bound(items_.begin(), items_.end(), text,
                               [](const std::string& t, const Item& i) { return compareListText(t, i.text) < 0; });
    index = static_cast<int>(it - items_.begin());
  } else if (index < 0 || index > n) {
    index = n;
  }
  items_.insert(items_.begin() + index, Item{text, 0});
  newIndex_ = index;
  if (listIndex_ >= index) ++listIndex_;
  redraw();
}

void ListBox::removeItem(int index) {
  if (index < 0 || index >= listCount()) return;
  items_.erase(items_.begin() + index);
  if (listIndex_ == index)
    listIndex_ = -1;
  else if (listIndex_ > index)
    --listIndex_;
  top_ = std::clamp(top_, 0, std::max(0, listCount() - visibleLines()));
  redraw();
}

void ListBox::clear() {
  items_.clear();
  listIndex_ = -1;
  newIndex_ = -1;
  top_ = 0;
  redraw();
}

std::string ListBox::list(int index) const {
  if (index < 0 || index >= listCount()) return "";
  return items_[static_cast<size_t>(index)].text;
}

void ListBox::setList(int index, const std::string& text) {
  if (index < 0 || index >= listCount()) return;
  items_[static_cast<size_t>(index)].text = text;
  redraw();
}

int32_t ListBox::itemData(int index) const {
  if (index < 0 || index >= listCount()) return 0;
  return items_[static_cast<size_t>(index)].data;
}

void ListBox::setItemData(int index, int32_t data) {
  if (index >= 0 && index < listCount()) items_[static_cast<size_t>(index)].data = data;
}

void ListBox::setListIndex(int index) {
  if (index < -1 || index >= listCount()) return;
  select(index);
}

void ListBox::select(int index) {
  if (index == listIndex_) return;
  listIndex_ = index;
  if (index >= 0) scrollTo(index);
  redraw();
  if (Click) Click();
}

void ListBox::scrollTo(int index) {
  int lines = visibleLines();
  if (index < top_) top_ = index;
  if (index >= top_ + lines) top_ = index - lines + 1;
  top_ = std::clamp(top_, 0, std::max(0, listCount() - lines));
}

void ListBox::setTopIndex(int index) {
  top_ = std::clamp(index, 0, std::max(0, listCount() - visibleLines()));
  redraw();
}

void ListBox::setSorted(bool s) {
  sorted_ = s;
  if (s) {
    std::string selected = listIndex_ >= 0 ? text() : "";
    std::stable_sort(items_.begin(), items_.end(),
                     [](const Item& a, const Item& b) { return compareListText(a.text, b.text) < 0; });
    if (listIndex_ >= 0)
      for (int i = 0; i < listCount(); ++i)
        if (items_[static_cast<size_t>(i)].text == selected) listIndex_ = i;
    redraw();
  }
}

int ListBox::lineHeight() const { return std::max(1, gfx::Font::open(font_)->height()); }
int ListBox::visibleLines() const { return std::max(1, (height() - 4) / lineHeight()); }

void ListBox::handleMouseDown(int button, int shift, int x, int y) {
  if (button == kLeftButton) {
    if (hasScrollBar() && x >= width() - 2 - kBarWidth) {
      int lines = visibleLines();
      if (y < 2 + kBarWidth) {
        arrowHeld_ = -1;
        setTopIndex(top_ - 1);
      } else if (y >= height() - 2 - kBarWidth) {
        arrowHeld_ = 1;
        setTopIndex(top_ + 1);
      } else {
        // The track: a page towards the pointer.
        int track = height() - 4 - 2 * kBarWidth;
        int thumb = 2 + kBarWidth + track * top_ / std::max(1, listCount());
        setTopIndex(top_ + (y < thumb ? -lines : lines));
      }
    } else {
      int i = top_ + (y - 2) / lineHeight();
      // A click on the selected item is announced again, as the platform's list did.
      if (y >= 2 && i < listCount()) {
        if (i == listIndex_ && Click)
          Click();
        else
          select(i);
      }
    }
  }
  Control::handleMouseDown(button, shift, x, y);
}

void ListBox::handleMouseMove(int button, int shift, int x, int y) {
  // Dragging over the items moves the selection with the pointer.
  if ((button & kLeftButton) && hasCapture() && !arrowHeld_ && listCount() > 0 &&
      !(hasScrollBar() && x >= width() - 2 - kBarWidth)) {
    int i = top_ + (y - 2) / lineHeight();
    if (y < 2) i = top_ - 1;
    select(std::clamp(i, 0, listCount() - 1));
  }
  Control::handleMouseMove(button, shift, x, y);
}

void ListBox::handleMouseUp(int button, int shift, int x, int y) {
  arrowHeld_ = 0;
  Control::handleMouseUp(button, shift, x, y);
}

void ListBox::handleKeyDown(int& key, int shift) {
  Control::handleKeyDown(key, shift);
  int n = listCount();
  if (key == 0 || n == 0) return;
  int lines = visibleLines();
  int at = listIndex_;
  switch (key) {
    case kVkUp: at = std::max(0, at - 1); break;
    case kVkDown: at = std::min(n - 1, at + 1); break;
    case kVkHome: at = 0; break;
    case kVkEnd: at = n - 1; break;
    case kVkPrior: at = std::max(0, at - lines + 1); break;
    case kVkNext: at = std::min(n - 1, std::max(0, at) + lines - 1); break;
    default: return;
  }
  select(at);
}

void ListBox::handleGotFocus() {
  redraw();
  Control::handleGotFocus();
}

void ListBox::handleLostFocus() {
  redraw();
  Control::handleLostFocus();
}

void ListBox::render(gfx::Surface& face) {
  int w = width(), h = height(), lh = lineHeight();
  bool bar = hasScrollBar();
  int right = w - 2 - (bar ? kBarWidth : 0);
  face.setClip(gfx::Region::fromRect({2, 2, right, h - 2}));
  gfx::Color fg = effectivelyEnabled() ? foreColor() : kGrayTextColor;
  // Whole lines only, as the platform's lists showed them.
  for (int i = top_, y = 2; i < listCount() && y + lh <= h - 2; ++i, y += lh) {
    gfx::Rect line{2, y, right, y + lh};
    bool sel = i == listIndex_;
    if (sel) gfx::fillRect(face, line, hasFocus() ? kHighlightColor : kFaceColor);
    face.textColor = sel && hasFocus() ? gfx::kWhite : fg;
    gfx::drawText(face, items_[static_cast<size_t>(i)].text, gfx::Rect{4, y, right, y + lh},
                  gfx::kDtLeft | gfx::kDtSingleLine);
    if (sel && hasFocus()) drawFocusRect(face, line);
  }
  face.setClip(std::nullopt);
  if (bar) {
    int bx = w - 2 - kBarWidth;
    gfx::fillRect(face, {bx, 2, w - 2, h - 2}, kLightColor);
    gfx::Rect up = gfx::Rect::xywh(bx, 2, kBarWidth, kBarWidth);
    gfx::Rect down = gfx::Rect::xywh(bx, h - 2 - kBarWidth, kBarWidth, kBarWidth);
    for (const auto& r : {up, down}) {
      gfx::fillRect(face, r, kFaceColor);
      drawEdge(face, r, false);
    }
    // Arrow heads: small triangles, pointing up and down.
    for (int i = 0; i < 4; ++i) {
      gfx::fillRect(face, {bx + 8 - i, up.top + 6 + i, bx + 9 + i, up.top + 7 + i}, gfx::kBlack);
      gfx::fillRect(face, {bx + 8 - i, down.top + 9 - i, bx + 9 + i, down.top + 10 - i}, gfx::kBlack);
    }
    int track = h - 4 - 2 * kBarWidth;
    int n = std::max(1, listCount());
    int thumbH = std::max(8, track * visibleLines() / n);
    int thumbY = 2 + kBarWidth + (track - thumbH) * top_ / std::max(1, listCount() - visibleLines());
    gfx::Rect thumb = gfx::Rect::xywh(bx, thumbY, kBarWidth, thumbH);
    gfx::fillRect(face, thumb, kFaceColor);
    drawEdge(face, thumb, false);
  }
  drawEdge(face, face.bounds(), true);
}

FileListBox::FileListBox(Window* w, std::string name) : ListBox(w, std::move(name)) {}

void FileListBox::setPath(const std::string& gamePath) {
  path_ = gamePath;
  refresh();
}

void FileListBox::setPattern(const std::string& p) {
  pattern_ = p;
  refresh();
}

void FileListBox::refresh() {
  clear();
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::path dir = sys::resolvePath(path_.empty() ? "." : path_);
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fe;
    if (!it->is_regular_file(fe)) continue;
    std::string n = it->path().filename().string();
    if (n.empty() || n[0] == '.') continue;  // hidden files are not listed
    if (matchesPattern(n, pattern_)) names.push_back(n);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    int c = compareListText(a, b);
    return c != 0 ? c < 0 : a < b;
  });
  for (const auto& n : names) addItem(n);
  Control::refresh();
}

}  // namespace ui
