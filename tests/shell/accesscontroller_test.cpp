// Keyboard and screen readers alone: Escape closes the panel on top, one at
// a time, with its own close command, and the focus ring follows the
// keyboard, on a plain window holding the panels by their names.
#include "featurefixture.h"

#include "shared/ui/announcer.h"
#include "shell/ui/accesscontroller.h"
#include "standings/ui/standingstable.h"

#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>

namespace {

class AccessControllerTest : public FeatureFixture
{
protected:
    void SetUp() override
    {
        FeatureFixture::SetUp();
        openSession();
        table = new StandingsTable(&host);
        // The panels of the window, by name, in the order they stack.
        for (const char *name : {"FraPlanning", "FraPlus"}) {
            auto *panel = new QFrame(&host);
            panel->setObjectName(QLatin1String(name));
            panel->hide();
        }
        (new QPlainTextEdit(&host))->setObjectName(QStringLiteral("Text4"));
        for (Command command : {Command::Configuration, Command::About})
            buttons.create(command, &host);
        controller =
            std::make_unique<AccessController>(AccessController::Needs{*session, buttons, commands, *table, host});
        // The close commands put their panel away, as the features do.
        commands.onRun = [this](Command command) {
            if (command == Command::CloseTeamCard)
                widget(QStringLiteral("FraPlanning"))->hide();
            if (command == Command::CloseHighlights)
                widget(QStringLiteral("FraPlus"))->hide();
        };
        host.show();
        QApplication::setActiveWindow(&host);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    }
    void escape()
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &host, Qt::Key_Escape);
    }

    StandingsTable *table = nullptr;
    std::unique_ptr<AccessController> controller;
};

} // namespace

TEST_F(AccessControllerTest, EscapeClosesThePanelOnTopOneAtATime)
{
    // The team card, the season records over it, the cards report over both.
    for (const char *name : {"FraPlanning", "FraPlus", "Text4"}) {
        widget(QLatin1String(name))->show();
        widget(QLatin1String(name))->raise();
    }
    escape();
    EXPECT_FALSE(panelShown("Text4")); // a report without a close command is hidden
    EXPECT_TRUE(panelShown("FraPlus"));
    EXPECT_TRUE(commands.ran.isEmpty());
    escape();
    EXPECT_FALSE(panelShown("FraPlus"));
    EXPECT_TRUE(panelShown("FraPlanning"));
    escape();
    EXPECT_FALSE(panelShown("FraPlanning"));
    EXPECT_EQ(commands.ran, (QList<Command>{Command::CloseHighlights, Command::CloseTeamCard}));
    EXPECT_FALSE(controller->closeTopPanel());
}

TEST_F(AccessControllerTest, AFocusedCommandWearsARingOnlyWhenTheKeyboardBroughtIt)
{
    // A focused button wears a ring the buttons' own colours would hide.
    EXPECT_FALSE(panelShown("FocusRing"));
    button(Command::Configuration)->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(panelShown("FocusRing"));
    EXPECT_TRUE(widget(QStringLiteral("FocusRing"))->geometry().contains(button(Command::Configuration)->geometry()));
    // Not for the focus the window hands out as it opens.
    button(Command::About)->setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_FALSE(panelShown("FocusRing"));
}

TEST_F(AccessControllerTest, CommandsThatAppearWithoutAWordAreAnnounced)
{
    // Screen readers hear a notification, with the words as its name.
    Announcer &announcer = controller->announcer();
    QAccessibleInterface *notice = QAccessible::queryAccessibleInterface(&announcer);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->role(), QAccessible::Notification);
    AppState &state = session->state();
    state.setUnsavedEntries(true);
    EXPECT_TRUE(announcer.lastMessage().startsWith(QStringLiteral("« Valider » est apparu")))
        << announcer.lastMessage().toStdString();
    EXPECT_EQ(notice->text(QAccessible::Name), announcer.lastMessage());
    EXPECT_FALSE(notice->state().invisible);
    // Only the appearing is news; the save that follows speaks for itself.
    QCoreApplication::processEvents();
    state.setUnsavedEntries(false);
    EXPECT_TRUE(announcer.lastMessage().startsWith(QStringLiteral("« Valider » est apparu")));
    state.setSendingOffered(true);
    EXPECT_TRUE(announcer.lastMessage().startsWith(QStringLiteral("« Expé Fichier » est apparu")))
        << announcer.lastMessage().toStdString();
    // Words said in one turn go out together, so that none is lost; any
    // widget of the window speaks through the same announcer.
    Announcer::say(button(Command::About), QStringLiteral("Sauvegarde faite."));
    EXPECT_TRUE(notice->text(QAccessible::Name).startsWith(QStringLiteral("« Expé Fichier » est apparu")));
    EXPECT_TRUE(notice->text(QAccessible::Name).endsWith(QStringLiteral(" Sauvegarde faite.")));
    QCoreApplication::processEvents();
    Announcer::say(button(Command::About), QStringLiteral("Sauvegarde faite."));
    EXPECT_EQ(notice->text(QAccessible::Name), QStringLiteral("Sauvegarde faite."));
}
