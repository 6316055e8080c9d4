#pragma once

#include "ui/control.h"

#include <map>
#include <memory>

namespace ui {

// A label array: element 0 is the label the window is made with; further elements are loaded on
// request as copies of it and are unloaded all at once to free them. Only loaded elements take
// memory, however high their indices grow.
class LabelArray {
  public:
    LabelArray(const LabelLook& look, const Rect& rect, bool visible);
    LabelArray(const LabelArray&) = delete;
    LabelArray& operator=(const LabelArray&) = delete;
    ~LabelArray();

    Label& operator[](int index);
    const Label& operator[](int index) const;
    bool isLoaded(int index) const;
    // Loads element index as a copy of element 0, placed where element 0 lives. An element that is
    // already loaded is returned unchanged.
    Label& load(int index);
    // Unloads every element but element 0, the highest first, which its window takes off its
    // drawing order at no cost.
    void unloadAll();
    // One past the highest loaded index.
    int count() const;
    // How many elements are loaded, element 0 included.
    int loadedCount() const;

    // Called with the element's index when any element is clicked.
    std::function<void(int)> onClick;

  private:
    std::map<int, std::unique_ptr<Label>> elements_;
};

} // namespace ui
