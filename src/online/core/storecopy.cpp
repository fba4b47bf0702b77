#include "online/core/storecopy.h"

#include <QFile>

StoreCopy::StoreCopy(const QByteArray &bytes)
{
    if (!m_folder.isValid())
        return;
    QFile file(m_folder.filePath(ResultStore::FileName));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return;
    file.close();
    m_store = std::make_unique<ResultStore>(m_folder.path());
}

StoreCopy::~StoreCopy() = default;

BonusMalus StoreCopy::bonusMalus() const
{
    BonusMalus table{};
    if (m_store)
        m_store->loadBonusMalus(table);
    return table;
}
