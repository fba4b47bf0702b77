#pragma once

#include <functional>
#include <map>

// The commands of the window by button index: each index is registered once
// with the handler that serves it, and every dispatch runs the same
// housekeeping before and after the handler, whichever feature it belongs to.
class CommandTable
{
public:
    using Handler = std::function<void()>;
    using Hook = std::function<void(int index)>;

    void add(int index, Handler handler) { m_handlers[index] = std::move(handler); }
    void setHousekeeping(Hook before, Hook after)
    {
        m_before = std::move(before);
        m_after = std::move(after);
    }
    bool has(int index) const { return m_handlers.count(index) != 0; }

    void dispatch(int index)
    {
        if (m_before)
            m_before(index);
        const auto it = m_handlers.find(index);
        if (it != m_handlers.end() && it->second)
            it->second();
        if (m_after)
            m_after(index);
    }

private:
    std::map<int, Handler> m_handlers;
    Hook m_before;
    Hook m_after;
};
