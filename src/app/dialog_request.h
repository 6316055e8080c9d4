#pragma once

#include <QString>

// A dialog of the game as every front end shows it: a message with OK, a question with Yes and
// No, or a prompt with a line to type in that holds the proposed answer as it opens.
struct DialogRequest {
    enum class Kind { Message, Question, Prompt };
    Kind kind;
    QString title; // a prompt's caption
    QString text;
    QString proposed;
};
