#include "online/core/credentials.h"

#include "testfolder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using Source = credentials::Found::Source;

TEST(Credentials, TheEnvironmentsPairThenTheRememberedFileOnlyItsOwnerReads)
{
    TestFolder folder;
    const QString file = credentials::filePath(folder.path());
    EXPECT_TRUE(file.endsWith(QStringLiteral("/kestrane/benevole.conf")));

    // Nothing anywhere.
    credentials::Found found = credentials::find({}, {}, file);
    EXPECT_EQ(found.source, Source::None);

    // Remembered: written with the owner's rights only, read back whole.
    const Credentials remembered{QStringLiteral("alice"), QStringLiteral(" mot de passe : é= ")};
    ASSERT_TRUE(credentials::remember(file, remembered));
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_EQ(QFileInfo(file).permissions() & (others | QFileDevice::ReadOwner | QFileDevice::WriteOwner),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_FALSE(folder.read(QStringLiteral("kestrane/benevole.conf")).contains("mot de passe"));
    found = credentials::find({}, {}, file);
    EXPECT_EQ(found.source, Source::File);
    EXPECT_EQ(found.credentials.user, remembered.user);
    EXPECT_EQ(found.credentials.password, remembered.password);

    // Scripts' variables win when both are there; one alone is said and ignored.
    found = credentials::find(QStringLiteral("bob"), QStringLiteral("secret"), file);
    EXPECT_EQ(found.source, Source::Environment);
    EXPECT_EQ(found.credentials.user, QStringLiteral("bob"));
    found = credentials::find(QStringLiteral("bob"), {}, file);
    EXPECT_EQ(found.source, Source::File);
    EXPECT_TRUE(found.warning.contains(QStringLiteral("KESTRANE_USER est défini sans KESTRANE_PASSWORD")));

    // A file others may read is not used; a damaged one neither.
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    found = credentials::find({}, {}, file);
    EXPECT_EQ(found.source, Source::None);
    EXPECT_TRUE(found.warning.contains(QStringLiteral("lisible par d'autres"))) << found.warning.toStdString();
    QFile::remove(file);
    folder.write(QStringLiteral("kestrane/benevole.conf"), "nom=alice\nmot_de_passe=***\n");
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    found = credentials::find({}, {}, file);
    EXPECT_EQ(found.source, Source::None);
    EXPECT_FALSE(found.warning.isEmpty());

    // Unticking "Mémoriser" removes it.
    EXPECT_TRUE(credentials::forget(file));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(credentials::forget(file));
}

TEST(Credentials, WhatCannotBeSent)
{
    const struct
    {
        Credentials credentials;
        const char *problem;
    } cases[] = {
        {{QStringLiteral("alice"), QStringLiteral("x")}, ""},
        {{QString(), QStringLiteral("x")}, "Nom du bénévole manquant."},
        {{QStringLiteral("alice"), QString()}, "Mot de passe manquant."},
        // Basic authentication joins name and password with ":".
        {{QStringLiteral("a:b"), QStringLiteral("x")}, "Le nom du bénévole ne peut contenir"},
        {{QStringLiteral("a\tb"), QStringLiteral("x")}, "Le nom du bénévole ne peut contenir"},
    };
    for (const auto &c : cases) {
        const QString problem = credentials::problem(c.credentials);
        if (*c.problem == '\0')
            EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        else
            EXPECT_TRUE(problem.startsWith(QString::fromUtf8(c.problem))) << problem.toStdString();
    }
    EXPECT_FALSE(credentials::decode("nom=a:b\nmot_de_passe=eA==\n"));
    EXPECT_FALSE(credentials::decode("nom=alice\n"));

    // The password goes in clear over plain HTTP to this machine only,
    // unless the league accepts it knowingly.
    const struct
    {
        const char *server;
        bool allowed;
        bool sent;
    } channels[] = {
        {"https://ligue.example", false, true},
        {"http://127.0.0.1:8080", false, true},
        {"http://127.200.3.4", false, true},
        {"http://[::1]:8080", false, true},
        {"http://LocalHost", false, true},
        {"http://ligue.example", false, false},
        {"http://192.168.1.20", false, false},
        {"http://127.0.0.1.ligue.example", false, false},
        {"http://localhost.ligue.example", false, false},
        {"http://128.0.0.1", false, false},
        {"http://ligue.example", true, true},
    };
    for (const auto &c : channels) {
        const QString problem = credentials::channelProblem(QString::fromLatin1(c.server), c.allowed);
        EXPECT_EQ(problem.isEmpty(), c.sent) << c.server << ": " << problem.toStdString();
    }
}
