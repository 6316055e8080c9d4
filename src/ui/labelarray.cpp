#include "ui/labelarray.h"

#include "ui/window.h"

namespace ui {

LabelArray::LabelArray(const LabelLook& look, const Rect& rect, bool visible) {
    elements_.push_back(std::make_unique<Label>(QString(), look, rect, visible));
    elements_[0]->onClick = [this] {
        if (onClick)
            onClick(0);
    };
}

Label& LabelArray::operator[](int index) {
    return *elements_.at(static_cast<size_t>(index));
}

bool LabelArray::isLoaded(int index) const {
    return index >= 0 && index < count() && elements_[static_cast<size_t>(index)] != nullptr;
}

Label& LabelArray::load(int index) {
    if (isLoaded(index))
        return (*this)[index];
    if (index >= count())
        elements_.resize(static_cast<size_t>(index) + 1);
    const Label& design = *elements_[0];
    auto element = std::make_unique<Label>(design.text(), design.look(), design.rect(), false);
    element->onClick = [this, index] {
        if (onClick)
            onClick(index);
    };
    // Loaded elements are drawn right above the elements loaded before them.
    const Label* below = &design;
    for (int i = index - 1; i > 0; --i)
        if (isLoaded(i)) {
            below = elements_[static_cast<size_t>(i)].get();
            break;
        }
    if (Board* board = design.parentBoard())
        board->add(*element);
    else if (Window* owner = design.owner())
        owner->add(*element, below);
    elements_[static_cast<size_t>(index)] = std::move(element);
    return *elements_[static_cast<size_t>(index)];
}

void LabelArray::unload(int index) {
    if (index <= 0 || !isLoaded(index))
        return;
    elements_[static_cast<size_t>(index)].reset();
    while (count() > 1 && !elements_.back())
        elements_.pop_back();
}

int LabelArray::loadedCount() const {
    int n = 0;
    for (const auto& e : elements_)
        n += e ? 1 : 0;
    return n;
}

} // namespace ui
