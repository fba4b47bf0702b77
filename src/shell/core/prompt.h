#pragma once

#include <QString>

// How logic talks to the user: the shell shows message boxes through it and
// tests answer it in advance, so nothing ever blocks on a dialog.
class Prompt
{
public:
    enum class Choice { Yes, No, Cancel };

    virtual ~Prompt() = default;
    // An information or error message with a single OK button.
    virtual void inform(const QString &title, const QString &text) = 0;
    // A Yes/No question with the question icon; true for Yes.
    virtual bool ask(const QString &title, const QString &text) = 0;
    // A Yes/No/Cancel question; closing it without an answer is Cancel.
    virtual Choice choose(const QString &title, const QString &text) = 0;
};
