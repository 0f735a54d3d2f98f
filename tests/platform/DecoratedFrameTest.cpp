// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DecoratedFrame.h"

#include <gtest/gtest.h>
#include <optional>
#include <set>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

using namespace tavo;

namespace {

/** A client that records the commands it runs and enables only those in `actives`. */
class ClientTest : public QWidget, public TCibleCommandes
{
public:
    bool Commande(int id) override
    {
        executees.push_back(id);
        return true;
    }
    void CommandEnable(TCommandEnabler& ce) override { ce.Enable(actives.count(ce.GetId()) > 0); }
    bool CanClose() override
    {
        ++questions;
        return fermable;
    }

    void Change(int id)
    {
        actives.insert(id);
        EtatModifie();
    }

    std::vector<int> executees;
    std::set<int> actives{1, 2};
    bool fermable = true;
    int questions = 0;
};

const std::vector<TEntreeMenu> TABLE{
    {{"&Fichier"}, 1, "&Un", "Aide un"},
    {{"&Fichier"}, 0, {}, {}},
    {{"&Fichier", "&Sous"}, 2, "&Deux", "Aide deux"},
    {{"&Fichier"}, 3, "&Trois", "Aide trois"},
    {{"&Fichier"}, CM_EXIT, "&Quitter", "Quitte"},
};

class DecoratedFrameTest : public ::testing::Test
{
protected:
    DecoratedFrameTest()
        : client(new ClientTest)
        , cadre(QStringLiteral("Titre"), client, client)
    {
        cadre.SetMenu(TABLE);
        cadre.SetToolBar({{1, {}, -1}, {0, {}, 0}, {0, {}, -1}, {3, {}, -1}});
    }

    ClientTest* client;
    TDecoratedFrame cadre;
};

} // namespace

TEST_F(DecoratedFrameTest, buildsMenusSubmenusAndSeparatorsFromTheTable)
{
    const QList<QAction*> barre = cadre.menuBar()->actions();
    ASSERT_EQ(barre.size(), 1);
    EXPECT_EQ(barre[0]->text(), QStringLiteral("&Fichier"));
    const QList<QAction*> items = barre[0]->menu()->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items[0]->data().toInt(), 1);
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->menu()->title(), QStringLiteral("&Sous"));
    EXPECT_EQ(items[2]->menu()->actions()[0]->statusTip(), QStringLiteral("Aide deux"));
    EXPECT_EQ(items[3]->text(), QStringLiteral("&Trois"));
    EXPECT_EQ(cadre.Action(3), items[3]);
}

TEST_F(DecoratedFrameTest, toolBarButtonsShareTheMenuActionsAndStartDisabled)
{
    const QList<QAction*> boutons = cadre.BarreOutils()->actions();
    ASSERT_EQ(boutons.size(), 4); // button, zero-width gap, separator, button
    EXPECT_EQ(boutons[0], cadre.Action(1));
    EXPECT_TRUE(boutons[2]->isSeparator());
    EXPECT_EQ(boutons[3], cadre.Action(3));
    EXPECT_FALSE(cadre.Action(1)->isEnabled());
    cadre.ActualiseCommandes();
    EXPECT_TRUE(cadre.Action(1)->isEnabled());
    EXPECT_FALSE(cadre.Action(3)->isEnabled()); // greyed in the menu and on the tool bar alike
}

TEST_F(DecoratedFrameTest, commandsRunOnlyWhenTheirEnablerAllows)
{
    cadre.ActualiseCommandes();
    EXPECT_TRUE(cadre.ExecuteCommande(2));
    EXPECT_FALSE(cadre.ExecuteCommande(3));
    cadre.Action(1)->trigger();
    EXPECT_EQ(client->executees, (std::vector<int>{2, 1}));
    client->actives.insert(3);
    cadre.Action(1)->trigger(); // every command refreshes the enablers
    EXPECT_TRUE(cadre.Action(3)->isEnabled());
    EXPECT_TRUE(cadre.Action(CM_EXIT)->isEnabled()); // the exit command is never asked
}

TEST_F(DecoratedFrameTest, clientStateChangeOutsideACommandRefreshesTheEnablers)
{
    cadre.ActualiseCommandes();
    EXPECT_FALSE(cadre.Action(3)->isEnabled());
    client->Change(3);
    EXPECT_TRUE(cadre.Action(3)->isEnabled());
}

TEST_F(DecoratedFrameTest, exitAsksTheClientWhetherItMayClose)
{
    cadre.show();
    client->fermable = false;
    cadre.ExecuteCommande(CM_EXIT);
    EXPECT_TRUE(cadre.isVisible());
    client->fermable = true;
    cadre.close();
    EXPECT_FALSE(cadre.isVisible());
    EXPECT_EQ(client->questions, 2);
    EXPECT_TRUE(client->executees.empty());
}

TEST_F(DecoratedFrameTest, statusBarShowsHintsAndLockIndicators)
{
    bool majuscules = true;
    TDecoratedFrame::SetLecteurVerrous(
        [&](bool maj) { return maj ? std::optional<bool>(majuscules) : std::nullopt; });
    cadre.SetStatusBar();
    auto* maj = cadre.findChild<QLabel*>(QStringLiteral("indicateurMajuscules"));
    auto* num = cadre.findChild<QLabel*>(QStringLiteral("indicateurNumerique"));
    ASSERT_TRUE(maj && num);
    EXPECT_TRUE(maj->isEnabled());
    EXPECT_EQ(num->text(), QString()); // unknown: blank, never a guess
    majuscules = false;
    QKeyEvent relache(QEvent::KeyRelease, Qt::Key_CapsLock, Qt::NoModifier);
    QApplication::sendEvent(&cadre, &relache);
    EXPECT_FALSE(maj->isEnabled());
    EXPECT_EQ(maj->text(), QStringLiteral(" MAJ "));
    TDecoratedFrame::SetLecteurVerrous({});
    cadre.ActualiseIndicateurs(); // offscreen cannot tell
    EXPECT_EQ(maj->text(), QString());

    cadre.show();
    QMenu* menu = cadre.menuBar()->actions()[0]->menu();
    menu->popup(cadre.mapToGlobal(QPoint(0, 0)));
    QTest::mouseMove(menu, menu->actionGeometry(cadre.Action(1)).center());
    EXPECT_EQ(cadre.statusBar()->currentMessage(), QStringLiteral("Aide un"));
}
