#pragma once

#include "shell/core/prompt.h"

class QWidget;

// Message boxes in French, whatever translations the machine has.
class MessageBoxPrompt final : public Prompt
{
public:
    explicit MessageBoxPrompt(QWidget *parent = nullptr)
        : m_parent(parent)
    {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void inform(const QString &title, const QString &text) override;
    bool ask(const QString &title, const QString &text) override;
    Choice choose(const QString &title, const QString &text) override;

private:
    QWidget *m_parent;
};
