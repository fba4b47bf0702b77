#pragma once

// What the tests of the online features share: the server's paths, a store
// as the volunteers publish it, a donors list, and waiting for downloads.
#include "testhttpserver.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QStringEncoder>
#include <QTest>

#include <gtest/gtest.h>

namespace onlinetest {

inline const QString StorePath = QStringLiteral("/Kestrane2013/Resultats2013.ini");
inline const QString ListPath = QStringLiteral("/Kestrane2013/don.K1");
inline const QByteArray PublishedList =
    "000001Alice Martin\r\n"
    "000002Bruno/n Petit\r\n"
    "000003<a href=\"http://partenaire.fr\" target=\"_blank\">Caf\xE9 Central</a>\r\n";
inline const QString FailureMessage = QStringLiteral(" Kestrane 1 (2013 - 2014)\nErreur de connexion !");

// A store as the volunteers publish it: the first result of the season
// (team L beats team I), an adjustment for team C, the stamp, news and version.
inline QByteArray published(const QString &stamp, const QString &version = QStringLiteral("1.3"))
{
    QString text = QStringLiteral("[Resultats]\r\n0100=L|0|4|2|1|2|0|I\r\n[BonMal]\r\nC=-3\r\n[Maj]\r\nMaj=%1\r\n"
                                  "[Texte]\r\nTexte=Nouvelles du soir\r\n[CV]\r\nCV=%2\r\n")
                       .arg(stamp, version);
    QStringEncoder encoder("windows-1252");
    return encoder(text);
}

// A download runs while the busy pointer shows.
inline bool busy()
{
    return QApplication::overrideCursor() != nullptr;
}
inline void waitForDownloads()
{
    ASSERT_TRUE(QTest::qWaitFor([] { return !busy(); }, 10000));
}

// The donors list kept in the program folder, as old as told.
inline void keepDonorsCopy(const QString &path, const QByteArray &bytes, const QDateTime &modified)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.flush(); // before the time is set: a later flush would set it again
    f.setFileTime(modified, QFileDevice::FileModificationTime);
}

// The pointer moved over a widget, as the mouse would.
inline void moveOver(QWidget *target)
{
    const QPoint centre = target->rect().center();
    QMouseEvent move(QEvent::MouseMove, centre, target->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

} // namespace onlinetest
