#pragma once

#include "season/core/resultstore.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <memory>

// A results store read from bytes rather than from the program folder: the
// store before a download, or as it was at start-up, so that it can be read
// and ranked with the same code as the live one. The bytes sit in a private
// temporary folder for the copy's lifetime; nothing writes them.
class StoreCopy
{
public:
    explicit StoreCopy(const QByteArray &bytes);
    ~StoreCopy();
    StoreCopy(const StoreCopy &) = delete;
    StoreCopy &operator=(const StoreCopy &) = delete;

    // False when the bytes could not be laid down (no temporary folder).
    bool isValid() const { return m_store != nullptr; }
    // Only meaningful when valid.
    const ResultStore &store() const { return *m_store; }
    // The adjustments of this store alone, absent keys counting 0.
    BonusMalus bonusMalus() const;

private:
    QTemporaryDir m_folder;
    std::unique_ptr<ResultStore> m_store;
};
