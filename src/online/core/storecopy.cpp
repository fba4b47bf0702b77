#include "online/core/storecopy.h"

StoreCopy::StoreCopy(const QByteArray &bytes)
    : m_store(IniFile::InMemory{bytes})
{}

StoreCopy::~StoreCopy() = default;

BonusMalus StoreCopy::bonusMalus() const
{
    BonusMalus table{};
    m_store.loadBonusMalus(table);
    return table;
}
