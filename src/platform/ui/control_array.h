// A control array: members share a name and are told apart by their index. A member is made
// the first time it is asked for; a new member takes the first member's container, place
// colours, pointer and Tag and starts hidden, as a loaded member did on the platform.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "ui/window.h"

namespace ui {

template <class T>
class ControlArray {
 public:
  ControlArray(Window& window, std::string name, Control* container = nullptr)
      : window_(&window), name_(std::move(name)), container_(container) {}

  // The member, made now if it does not exist yet.
  T& operator[](int index) {
    auto it = members_.find(index);
    if (it != members_.end()) return *it->second;
    T& c = window_->add<T>(name_ + "(" + std::to_string(index) + ")", container_);
    c.index_ = index;
    if (!members_.empty()) {
      const T& first = *members_.begin()->second;
      if (first.container() != c.container()) c.setContainer(first.container());
      c.move(first.left(), first.top(), first.width(), first.height());
      c.setBackColor(first.backColor());
      c.setForeColor(first.foreColor());
      c.setEnabled(first.enabled());
      c.setMousePointer(first.mousePointer());
      c.setMouseIcon(first.mouseIcon());
      c.Tag = first.Tag;
      c.setVisible(false);
    }
    members_[index] = &c;
    if (onCreate) onCreate(c);
    return c;
  }
  bool exists(int index) const { return members_.count(index) != 0; }
  T* find(int index) const {
    auto it = members_.find(index);
    return it == members_.end() ? nullptr : it->second;
  }
  // Highest index made so far; -1 when empty.
  int ubound() const { return members_.empty() ? -1 : members_.rbegin()->first; }
  int lbound() const { return members_.empty() ? 0 : members_.begin()->first; }
  int count() const { return static_cast<int>(members_.size()); }
  const std::string& name() const { return name_; }

  // Runs for each new member: wire its handlers here (the member knows its index()).
  std::function<void(T&)> onCreate;

  auto begin() const { return members_.begin(); }
  auto end() const { return members_.end(); }

 private:
  Window* window_;
  std::string name_;
  Control* container_;
  std::map<int, T*> members_;
};

}  // namespace ui
