#pragma once

#include "shell/core/prompt.h"

#include <QStringList>

// Answers questions as told and remembers what the program said.
class FakePrompt final : public Prompt
{
public:
    void inform(const QString &title, const QString &text) override { messages << title + u'\n' + text; }
    bool ask(const QString &title, const QString &text) override
    {
        questions << title + u'\n' + text;
        return answer;
    }
    Choice choose(const QString &title, const QString &text) override
    {
        questions << title + u'\n' + text;
        return choice;
    }

    bool answer = false;
    Choice choice = Choice::Cancel;
    QStringList messages;
    QStringList questions;
};
