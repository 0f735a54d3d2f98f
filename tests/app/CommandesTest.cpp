// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Menu.h"
#include "support/Fenetre.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace {

struct LigneMenu
{
    QString chemin;
    int id;
    QString item;
    QString aide;
    friend bool operator==(const LigneMenu&, const LigneMenu&) = default;
    friend std::ostream& operator<<(std::ostream& os, const LigneMenu& l)
    {
        return os << l.chemin.toStdString() << " | " << l.id << " | " << l.item.toStdString()
                  << " | " << l.aide.toStdString();
    }
};

// The menu "COMMANDS" as the user sees it: path, command (0 for a separator), item, hint.
const std::vector<LigneMenu> ATTENDU{
    {"&Concours", 201, "&Nouveau", "Crée un nouveau concours"},
    {"&Concours", 202, "&Ouvrir", "Ouvre un concours existant"},
    {"&Concours", 0, "", ""},
    {"&Concours", 204, "&Enregistrer", "Enregistre le concours selectionné dans un fichier"},
    {"&Concours", 205, "En&registrer sous",
     "Enregistre le concours selectionné sous un nouveau nom"},
    {"&Concours", 0, "", ""},
    {"&Concours", 212, "&Importer des pilotes...",
     "Ajoute au concours les pilotes d'un tableau d'inscription (CSV)"},
    {"&Concours", 0, "", ""},
    {"&Concours", 24310, "&Quitter", "Quitte Tavo 2000"},
    {"&Saisie", 301, "&Informations", "Saisie des informations d'un concours"},
    {"&Saisie", 302, "&Pilotes", "Saisie des pilotes du concours"},
    {"&Saisie", 303, "&Notes", "Saisie des notes des pilotes"},
    {"&Saisie", 305, "Juges sur le &terrain...",
     "Saisie des notes par les juges sur leur téléphone"},
    {"&Saisie", 0, "", ""},
    {"&Saisie", 304, "&Options", "Saisie des options de Tavo 2000"},
    {"&Affichage", 401, "&Caractéristiques", "Affiche les caractéristiqes du concours"},
    {"&Affichage", 402, "Ju&ges", "Affiche les juges du concours"},
    {"&Affichage", 403, "Pi&lotes", "Affiche les pilotes du concours"},
    {"&Affichage", 437, "Feuilles &manquantes",
     "Affiche, vol par vol, les pilotes dont la feuille de notes n'est pas saisie ou pas complète"},
    {"&Affichage", 0, "", ""},
    {"&Affichage / Classement des &pilotes", 413, "Après &1 vol",
     "Affiche le classement des pilotes après 1 vol"},
    {"&Affichage / Classement des &pilotes", 414, "Après &2 vols",
     "Affiche le classement des pilotes après 2 vols"},
    {"&Affichage / Classement des &pilotes", 415, "Après &3 vols",
     "Affiche le classement des pilotes après 3 vols"},
    {"&Affichage / Classement des &pilotes", 416, "Après &4 vols",
     "Affiche le classement des pilotes après 4 vols"},
    {"&Affichage / Classement des &pilotes / Après les &fly-off", 418, "Après &1 fly-off",
     "Affiche le classement des pilotes après 1 fly-off"},
    {"&Affichage / Classement des &pilotes / Après les &fly-off", 419, "Après &2 fly-off",
     "Affiche le classement des pilotes après 2 fly-off"},
    {"&Affichage / Classement des &pilotes / Après les &fly-off", 420, "Après &3 fly-off",
     "Affiche le classement des pilotes après 3 fly-off"},
    {"&Affichage / Classement des &pilotes / Après les &fly-off", 421, "Après &4 fly-off",
     "Affiche le classement des pilotes après 4 fly-off"},
    {"&Affichage / Classement des &juges", 405, "Sur le vol &1",
     "Affiche le classement des juges du vol 1"},
    {"&Affichage / Classement des &juges", 406, "Sur le vol &2",
     "Affiche le classement des juges du vol 2"},
    {"&Affichage / Classement des &juges", 407, "Sur le vol &3",
     "Affiche le classement des juges du vol 3"},
    {"&Affichage / Classement des &juges", 408, "Sur le vol &4",
     "Affiche le classement des juges du vol 4"},
    {"&Affichage / Classement des &juges", 409, "Sur le vol &5",
     "Affiche le classement des juges du vol 5"},
    {"&Affichage / Classement des &juges", 410, "Sur le vol &6",
     "Affiche le classement des juges du vol 6"},
    {"&Affichage / Classement des &juges", 411, "Sur le vol &7",
     "Affiche le classement des juges du vol 7"},
    {"&Affichage / &Diagramme des notes", 423, "Juge &1",
     "Affiche le diagramme des notes du juge 1"},
    {"&Affichage / &Diagramme des notes", 424, "Juge &2",
     "Affiche le diagramme des notes du juge 2"},
    {"&Affichage / &Diagramme des notes", 425, "Juge &3",
     "Affiche le diagramme des notes du juge 3"},
    {"&Affichage / &Diagramme des notes", 426, "Juge &4",
     "Affiche le diagramme des notes du juge 4"},
    {"&Affichage / &Diagramme des notes", 427, "Juge &5",
     "Affiche le diagramme des notes du juge 5"},
    {"&Affichage / Profil des juges &TBL", 429, "Sur le vol &1",
     "Affiche le profil des juges déterminé avec TBL sur le vol 1"},
    {"&Affichage / Profil des juges &TBL", 430, "Sur le vol &2",
     "Affiche le profil des juges déterminé avec TBL sur le vol 2"},
    {"&Affichage / Profil des juges &TBL", 431, "Sur le vol &3",
     "Affiche le profil des juges déterminé avec TBL sur le vol 3"},
    {"&Affichage / Profil des juges &TBL", 432, "Sur le vol &4",
     "Affiche le profil des juges déterminé avec TBL sur le vol 4"},
    {"&Affichage / Profil des juges &TBL", 433, "Sur le vol &5",
     "Affiche le profil des juges déterminé avec TBL sur le vol 5"},
    {"&Affichage / Profil des juges &TBL", 434, "Sur le vol &6",
     "Affiche le profil des juges déterminé avec TBL sur le vol 6"},
    {"&Affichage / Profil des juges &TBL", 435, "Sur le vol &7",
     "Affiche le profil des juges déterminé avec TBL sur le vol 7"},
    {"&Impression", 501, "&Mise en page", ""},
    {"&Impression", 0, "", ""},
    {"&Impression / &Liste des pilotes", 503, "&Dans l'ordre des dossards",
     "Imprime la liste des pilotes triés dans l'ordre croissant des dossards"},
    {"&Impression / &Liste des pilotes", 504, "&Dans l'ordre alphabétique",
     "Imprime la liste des pilotes triés dans l'odre alphabétique des noms"},
    {"&Impression / Classement des &pilotes", 506, "Après &1 vol",
     "Imprime le classement des pilotes après 1 vol"},
    {"&Impression / Classement des &pilotes", 507, "Après &2 vols",
     "Imprime le classement des pilotes après 2 vols"},
    {"&Impression / Classement des &pilotes", 508, "Après &3 vols",
     "Imprime le classement des pilotes après 3 vols"},
    {"&Impression / Classement des &pilotes", 509, "Après &4 vols",
     "Imprime le classement des pilotes après 4 vols"},
    {"&Impression / Classement des &pilotes / Après les &fly-off", 511, "Après &1 fly-off",
     "Imprime le classement des pilotes après 1 fly-off"},
    {"&Impression / Classement des &pilotes / Après les &fly-off", 512, "Après &2 fly-off",
     "Imprime le classement des pilotes après 2 fly-off"},
    {"&Impression / Classement des &pilotes / Après les &fly-off", 513, "Après &3 fly-off",
     "Imprime le classement des pilotes après 3 fly-off"},
    {"&Impression / Classement des &pilotes / Après les &fly-off", 514, "Après &4 fly-off",
     "Imprime le classement des pilotes après 4 fly-off"},
    {"&Impression / Classement des &juges", 516, "Sur le vol &1",
     "Imprime le classement des juges sur le vol 1"},
    {"&Impression / Classement des &juges", 517, "Sur le vol &2",
     "Imprime le classement des juges sur le vol 2"},
    {"&Impression / Classement des &juges", 518, "Sur le vol &3",
     "Imprime le classement des juges sur le vol 3"},
    {"&Impression / Classement des &juges", 519, "Sur le vol &4",
     "Imprime le classement des juges sur le vol 4"},
    {"&Impression / Classement des &juges", 520, "Sur le vol &5",
     "Imprime le classement des juges sur le vol 5"},
    {"&Impression / Classement des &juges", 521, "Sur le vol &6",
     "Imprime le classement des juges sur le vol 6"},
    {"&Impression / Classement des &juges", 522, "Sur le vol &7",
     "Imprime le classement des juges sur le vol 7"},
    {"&Impression / &Diagramme des notes", 524, "Juge &1",
     "Imprime le diagramme des notes du juge 1"},
    {"&Impression / &Diagramme des notes", 525, "Juge &2",
     "Imprime le diagramme des notes du juge 2"},
    {"&Impression / &Diagramme des notes", 526, "Juge &3",
     "Imprime le diagramme des notes du juge 3"},
    {"&Impression / &Diagramme des notes", 527, "Juge &4",
     "Imprime le diagramme des notes du juge 4"},
    {"&Impression / &Diagramme des notes", 528, "Juge &5",
     "Imprime le diagramme des notes du juge 5"},
    {"&Impression / Programme de vol", 530, "du vol &1",
     "Imprime le programme de vol 1 pour les notes des juges"},
    {"&Impression / Programme de vol", 531, "du vol &2",
     "Imprime le programme de vol 2 pour les notes des juges"},
    {"&Impression / Programme de vol", 532, "du vol &3",
     "Imprime le programme de vol 3 pour les notes des juges"},
    {"&Impression / Programme de vol", 533, "du vol &4",
     "Imprime le programme de vol 4 pour les notes des juges"},
    {"&Impression / Programme de vol", 534, "du vol &5",
     "Imprime le programme de vol 5 pour les notes des juges"},
    {"&Impression / Programme de vol", 535, "du vol &6",
     "Imprime le programme de vol 6 pour les notes des juges"},
    {"&Impression / Programme de vol", 536, "du vol &7",
     "Imprime le programme de vol 7 pour les notes des juges"},
    {"&Impression", 538, "Procès-verbal de concours", "Imprime le procès-verbal de concours"},
    {"&Impression", 0, "", ""},
    {"&Impression", 540, "Publier les résultats (HTML)...",
     "Publie les classements, les notes des juges et les statistiques en pages HTML"},
    {"&Impression", 542, "E&xporter en CSV...",
     "Enregistre le tableau affiché dans un fichier CSV pour un tableur"},
    {"&?", 601, "&Aide sur Tavo 2000", "Affiche des informations sur l'utilisation de Tavo 2000"},
    {"&?", 602, "&A propos de Tavo 2000",
     "Affiche les informations sur la version et le copyright de Tavo 2000"},
};

void parcourt(const QMenu* menu, const QString& chemin, std::vector<LigneMenu>& lignes)
{
    for (const QAction* action : menu->actions()) {
        if (!action->isVisible())
            continue; // the recent competitions, none yet
        if (action->menu())
            parcourt(action->menu(), chemin + QStringLiteral(" / ") + action->menu()->title(),
                     lignes);
        else if (action->isSeparator())
            lignes.push_back({chemin, 0, {}, {}});
        else
            lignes.push_back({chemin, action->data().toInt(), action->text(), action->statusTip()});
    }
}

} // namespace

class CommandesTest : public FenetreTest
{
};

TEST_F(CommandesTest, menuHoldsEveryItemSeparatorSubmenuAndHintInOrder)
{
    std::vector<LigneMenu> lignes;
    for (const QAction* titre : cadre->menuBar()->actions())
        parcourt(titre->menu(), titre->text(), lignes);
    ASSERT_EQ(lignes.size(), ATTENDU.size());
    for (std::size_t i = 0; i < lignes.size(); ++i)
        EXPECT_EQ(lignes[i], ATTENDU[i]) << "line " << i;
    EXPECT_TRUE(cadre->Action(CM_MISE_EN_PAGE)->statusTip().isEmpty());
}

TEST_F(CommandesTest, toolBarHasSixButtonsAndTwoSeparatorsSharingTheMenuCommands)
{
    const QList<QAction*> boutons = cadre->BarreOutils()->actions();
    ASSERT_EQ(boutons.size(), 8);
    const int ids[] = {201, 202, 204, 0, 0, 301, 302, 303};
    for (int i = 0; i < 8; ++i) {
        if (ids[i] == 0)
            continue;
        EXPECT_EQ(boutons[i], cadre->Action(ids[i])) << i;
        EXPECT_EQ(boutons[i]->icon().availableSizes().value(0), QSize(20, 20)) << i;
    }
    EXPECT_TRUE(boutons[4]->isSeparator());
    EXPECT_EQ(cadre->BarreOutils()->widgetForAction(boutons[3])->width(), 0);
}

TEST_F(CommandesTest, menuHintShowsInTheStatusBarWhileTheMenuIsOpen)
{
    QMenu* menu = cadre->menuBar()->actions()[0]->menu();
    menu->popup(cadre->mapToGlobal(QPoint(0, 0)));
    QTest::mouseMove(menu, menu->actionGeometry(cadre->Action(CM_OUVRIR)).center());
    EXPECT_EQ(cadre->statusBar()->currentMessage(), QStringLiteral("Ouvre un concours existant"));
    menu->hide();
}

TEST_F(CommandesTest, escapeClosesTheHelpWindow)
{
    Execute(CM_AIDE);
    QPointer<QWidget> aide;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("aide") && w->isVisible())
            aide = w;
    ASSERT_FALSE(aide.isNull());
    QTest::keyClick(aide, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(aide.isNull() || !aide->isVisible());
}
