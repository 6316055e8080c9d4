#include "terminal/dialog.h"

#include "terminal/text_lines.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr ui::Colour kFace = 0xC0C0C0;
constexpr ui::Colour kText = 0x000000;
constexpr ui::Colour kCaption = 0x800000; // navy
constexpr ui::Colour kCaptionText = 0xFFFFFF;
constexpr ui::Colour kField = 0xFFFFFF;
constexpr ui::Colour kSelected = 0x800000;
constexpr int kWidest = 60;

} // namespace

Dialog::Dialog(Kind kind, const QString& title, const QString& text, const QString& proposed)
    : kind_(kind), title_(title), text_(text), answer_(proposed.toStdU32String()), proposed_(true) {
}

QString Dialog::answer() const {
    return QString::fromStdU32String(answer_);
}

std::optional<bool> Dialog::key(const keys::Stroke& stroke, char32_t typed) {
    switch (stroke.keyCode) {
    case keys::Return:
        return kind_ != Kind::Question ? true : false; // the question's default is No
    case keys::Escape:
        return false;
    case keys::Backspace:
        if (kind_ == Kind::Prompt && proposed_)
            answer_.clear();
        else if (kind_ == Kind::Prompt && !answer_.empty())
            answer_.pop_back();
        proposed_ = false;
        return std::nullopt;
    default:
        break;
    }
    if (kind_ == Kind::Question && (stroke.keyCode == 'Y' || stroke.keyCode == 'N'))
        return stroke.keyCode == 'Y';
    if (kind_ == Kind::Message && stroke.keyCode == keys::Space)
        return true;
    // Only characters that take a cell of their own: one with none would change how the line's
    // cells fall.
    if (kind_ == Kind::Prompt && displayWidth(typed) > 0) {
        if (proposed_)
            answer_.clear();
        answer_ += typed;
        proposed_ = false;
    }
    return std::nullopt;
}

void Dialog::draw(Picture& picture) const {
    const int width = std::min(kWidest, picture.columns() - 4);
    const QStringList lines = wrapped(textLines(text_), width - 4);
    const QString buttons = kind_ == Kind::Question ? QStringLiteral("[ Yes ]  [ No ]")
                            : kind_ == Kind::Prompt ? QStringLiteral("[ OK ]  [ Cancel ]")
                                                    : QStringLiteral("[ OK ]");
    // The caption, the text, a line to type in, the buttons, with a row of room between.
    const int height = 2 + static_cast<int>(lines.size()) + (kind_ == Kind::Prompt ? 2 : 0) + 3;
    const Cells box{(picture.columns() - width) / 2, std::max(0, (picture.rows() - height) / 2),
                    width, height};
    picture.setClip(box);
    picture.fill(box, kFace);
    picture.fill({box.column, box.row, box.columns, 1}, kCaption);
    picture.write(box.column + 1, box.row, title_.isEmpty() ? QStringLiteral("Vexmoor") : title_,
                  kCaptionText);
    int row = box.row + 2;
    for (const QString& line : lines)
        picture.write(box.column + 2, row++, line, kText);
    if (kind_ == Kind::Prompt) {
        const Cells field{box.column + 2, ++row, width - 4, 1};
        picture.fill(field, kField);
        // The end of a long answer shows, as many whole characters as fit before the cursor, and
        // the proposed answer shows selected.
        auto first = answer_.end();
        int cells = 0;
        while (first != answer_.begin() && cells + displayWidth(first[-1]) < field.columns)
            cells += displayWidth(*--first);
        if (proposed_)
            picture.fill({field.column, row, cells, 1}, kSelected);
        picture.write(field.column, row, QString::fromStdU32String({first, answer_.end()}),
                      proposed_ ? kField : kText);
        picture.put(field.column + cells, row, U'_', kText);
        ++row;
    }
    picture.write(box.column + (width - static_cast<int>(buttons.size())) / 2, box.bottom() - 2,
                  buttons, kText);
}
