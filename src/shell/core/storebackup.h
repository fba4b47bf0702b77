#pragma once

#include <QDate>
#include <QString>

// The dated copy of the results store a volunteer keeps before a risky
// evening: ResultatsK22013-DDMMYY.ini in the program folder.
namespace storebackup {

QString copyName(const QDate &day);
// Copies the store, replacing a copy made earlier the same day. Returns an
// empty text on success, otherwise the French reason.
QString copyStore(const QString &programFolder, const QDate &day);

} // namespace storebackup
