#pragma once

#include "app/dialog_request.h"
#include "terminal/picture.h"
#include "ui/keys.h"

#include <QString>
#include <optional>
#include <string>

// A modal box in the middle of the terminal: a message with OK, a question with Yes and No, or a
// prompt with a line to type in (Backspace takes a character back; the proposed answer is
// replaced by the first character typed). Enter accepts, Escape cancels. The line shows as much
// of its end as fits, a wide character (CJK) in two cells.
class Dialog {
  public:
    using Kind = DialogRequest::Kind;

    Dialog(Kind kind, const QString& title, const QString& text, const QString& proposed = {});

    // A key from the player: nothing while the box stays open, else whether it was accepted.
    std::optional<bool> key(const keys::Stroke& stroke, char32_t typed);
    // The line typed into a prompt.
    QString answer() const;

    void draw(Picture& picture) const;

  private:
    Kind kind_;
    QString title_;
    QString text_;
    std::u32string answer_; // whole characters, one outside the Basic Multilingual Plane too
    bool proposed_;         // the answer is still the one proposed
};
