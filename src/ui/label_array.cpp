#include "ui/label_array.h"

#include "ui/window.h"

#include <iterator>
#include <stdexcept>

namespace ui {

LabelArray::LabelArray(const LabelLook& look, const Rect& rect, bool visible) {
    auto& first = elements_[0];
    first = std::make_unique<Label>(QString(), look, rect, visible);
    first->onClick = [this] {
        if (onClick)
            onClick(0);
    };
}

LabelArray::~LabelArray() {
    unloadAll();
}

Label& LabelArray::operator[](int index) {
    return *elements_.at(index);
}

const Label& LabelArray::operator[](int index) const {
    return *elements_.at(index);
}

bool LabelArray::isLoaded(int index) const {
    return elements_.contains(index);
}

Label& LabelArray::load(int index) {
    if (index < 0)
        throw std::out_of_range("LabelArray::load: negative index");
    if (isLoaded(index))
        return (*this)[index];
    const Label& first = *elements_.at(0);
    auto element = std::make_unique<Label>(first.text(), first.look(), first.rect(), false);
    element->onClick = [this, index] {
        if (onClick)
            onClick(index);
    };
    // Loaded elements are drawn in the place of element 0, in the order of their indices.
    if (Board* board = first.parentBoard())
        board->add(*element);
    else if (Window* owner = first.owner())
        owner->add(*element, first, index);
    return *(elements_[index] = std::move(element));
}

void LabelArray::unloadAll() {
    while (elements_.size() > 1)
        elements_.erase(std::prev(elements_.end()));
}

int LabelArray::count() const {
    return elements_.rbegin()->first + 1;
}

int LabelArray::loadedCount() const {
    return static_cast<int>(elements_.size());
}

} // namespace ui
