#pragma once

#include "season/core/resultstore.h"

#include <QByteArray>

// A results store read from bytes rather than from the program folder: the
// store before a download, or as it was at start-up, so that it can be read
// and ranked with the same code as the live one. The bytes stay in memory:
// nothing is written anywhere, so a program killed meanwhile leaves nothing
// behind.
class StoreCopy
{
public:
    explicit StoreCopy(const QByteArray &bytes);
    ~StoreCopy();
    StoreCopy(const StoreCopy &) = delete;
    StoreCopy &operator=(const StoreCopy &) = delete;

    // Always true: a copy in memory cannot fail to be laid down.
    bool isValid() const { return true; }
    const ResultStore &store() const { return m_store; }
    // The adjustments of this store alone, absent keys counting 0.
    BonusMalus bonusMalus() const;

private:
    ResultStore m_store;
};
