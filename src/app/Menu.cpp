// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Menu.h"

#include "app/TTavoWindow.h"
#include "platform/DecoratedFrame.h"

#include <QAction>
#include <QDir>

using tavo::TEntreeMenu;

namespace {

const QString CONCOURS = QStringLiteral("&Concours");
const QString SAISIE = QStringLiteral("&Saisie");
const QString AFFICHAGE = QStringLiteral("&Affichage");
const QString IMPRESSION = QStringLiteral("&Impression");
const QString AIDE = QStringLiteral("&?");
const QString CLST_PILOTES = QStringLiteral("Classement des &pilotes");
const QString FLYOFF = QStringLiteral("Après les &fly-off");
const QString CLST_JUGES = QStringLiteral("Classement des &juges");
const QString DIAGRAMME = QStringLiteral("&Diagramme des notes");

/** A run of n numbered items: item and hint formats take the number as %1. */
void serie(std::vector<TEntreeMenu>& table, const QStringList& chemin, int premier, int n,
           const QString& item, const QString& aide)
{
    for (int i = 1; i <= n; ++i)
        table.push_back({chemin, premier + i - 1, item.arg(i), aide.arg(i)});
}

void classementsVols(std::vector<TEntreeMenu>& table, const QStringList& chemin, int premier,
                     const QString& verbe)
{
    for (int n = 1; n <= 4; ++n)
        table.push_back(
            {chemin, premier + n - 1,
             n == 1 ? QStringLiteral("Après &1 vol") : QStringLiteral("Après &%1 vols").arg(n),
             QStringLiteral("%1 le classement des pilotes après %2 vol%3")
                 .arg(verbe)
                 .arg(n)
                 .arg(n == 1 ? "" : "s")});
}

// Concours and Saisie.
void menuDocuments(std::vector<TEntreeMenu>& t)
{
    t.push_back({{CONCOURS}, CM_NOUVEAU, "&Nouveau", "Crée un nouveau concours"});
    t.push_back({{CONCOURS}, CM_OUVRIR, "&Ouvrir", "Ouvre un concours existant"});
    t.push_back({{CONCOURS}, 0, {}, {}});
    t.push_back({{CONCOURS},
                 CM_ENREGISTRER,
                 "&Enregistrer",
                 "Enregistre le concours selectionné dans un fichier"});
    t.push_back({{CONCOURS},
                 CM_ENREGISTRER_SOUS,
                 "En&registrer sous",
                 "Enregistre le concours selectionné sous un nouveau nom"});
    t.push_back({{CONCOURS}, 0, {}, {}});
    t.push_back({{CONCOURS},
                 CM_IMPORTER,
                 "&Importer des pilotes...",
                 "Ajoute au concours les pilotes d'un tableau d'inscription (CSV)"});
    t.push_back({{CONCOURS}, 0, {}, {}});
    t.push_back({{CONCOURS}, CM_QUITTER, "&Quitter", "Quitte Tavo 2000"});

    t.push_back(
        {{SAISIE}, CM_INFORMATIONS, "&Informations", "Saisie des informations d'un concours"});
    t.push_back({{SAISIE}, CM_PILOTES, "&Pilotes", "Saisie des pilotes du concours"});
    t.push_back({{SAISIE}, CM_NOTES, "&Notes", "Saisie des notes des pilotes"});
    t.push_back({{SAISIE},
                 CM_TERRAIN,
                 "Juges sur le &terrain...",
                 "Saisie des notes par les juges sur leur téléphone"});
    t.push_back({{SAISIE}, 0, {}, {}});
    t.push_back({{SAISIE}, CM_OPTIONS, "&Options", "Saisie des options de Tavo 2000"});
}

// Affichage: the lists and every drawn view.
void menuAffichage(std::vector<TEntreeMenu>& t)
{
    t.push_back({{AFFICHAGE},
                 CM_CARACTERISTIQUES,
                 "&Caractéristiques",
                 "Affiche les caractéristiqes du concours"});
    t.push_back({{AFFICHAGE}, CM_JUGES, "Ju&ges", "Affiche les juges du concours"});
    t.push_back({{AFFICHAGE}, CM_LISTE_PILOTES, "Pi&lotes", "Affiche les pilotes du concours"});
    t.push_back({{AFFICHAGE},
                 CM_FEUILLES_MANQUANTES,
                 "Feuilles &manquantes",
                 "Affiche, vol par vol, les pilotes dont la feuille de notes n'est pas saisie ou "
                 "pas complète"});
    t.push_back({{AFFICHAGE}, 0, {}, {}});
    classementsVols(t, {AFFICHAGE, CLST_PILOTES}, CM_CLST_PILOTES_1, "Affiche");
    serie(t, {AFFICHAGE, CLST_PILOTES, FLYOFF}, CM_FLYOFF_1, 4, "Après &%1 fly-off",
          "Affiche le classement des pilotes après %1 fly-off");
    serie(t, {AFFICHAGE, CLST_JUGES}, CM_CLST_JUGES_1, 7, "Sur le vol &%1",
          "Affiche le classement des juges du vol %1");
    serie(t, {AFFICHAGE, DIAGRAMME}, CM_DIAGRAMME_1, 5, "Juge &%1",
          "Affiche le diagramme des notes du juge %1");
    serie(t, {AFFICHAGE, "Profil des juges &TBL"}, CM_TBL_1, 7, "Sur le vol &%1",
          "Affiche le profil des juges déterminé avec TBL sur le vol %1");
}

// Impression: the page set-up and every form.
void menuImpression(std::vector<TEntreeMenu>& t)
{
    t.push_back({{IMPRESSION}, CM_MISE_EN_PAGE, "&Mise en page", {}});
    t.push_back({{IMPRESSION}, 0, {}, {}});
    const QStringList liste{IMPRESSION, "&Liste des pilotes"};
    t.push_back({liste, CM_IMP_LISTE_DOSSARDS, "&Dans l'ordre des dossards",
                 "Imprime la liste des pilotes triés dans l'ordre croissant des dossards"});
    t.push_back({liste, CM_IMP_LISTE_NOMS, "&Dans l'ordre alphabétique",
                 "Imprime la liste des pilotes triés dans l'odre alphabétique des noms"});
    classementsVols(t, {IMPRESSION, CLST_PILOTES}, CM_IMP_CLST_PILOTES_1, "Imprime");
    serie(t, {IMPRESSION, CLST_PILOTES, FLYOFF}, CM_IMP_FLYOFF_1, 4, "Après &%1 fly-off",
          "Imprime le classement des pilotes après %1 fly-off");
    serie(t, {IMPRESSION, CLST_JUGES}, CM_IMP_CLST_JUGES_1, 7, "Sur le vol &%1",
          "Imprime le classement des juges sur le vol %1");
    serie(t, {IMPRESSION, DIAGRAMME}, CM_IMP_DIAGRAMME_1, 5, "Juge &%1",
          "Imprime le diagramme des notes du juge %1");
    serie(t, {IMPRESSION, "Programme de vol"}, CM_IMP_PROGRAMME_1, 7, "du vol &%1",
          "Imprime le programme de vol %1 pour les notes des juges");
    t.push_back({{IMPRESSION},
                 CM_IMP_PROCES_VERBAL,
                 "Procès-verbal de concours",
                 "Imprime le procès-verbal de concours"});
    t.push_back({{IMPRESSION}, 0, {}, {}});
    t.push_back({{IMPRESSION},
                 CM_PUBLIER,
                 "Publier les résultats (HTML)...",
                 "Publie les classements, les notes des juges et les statistiques en pages HTML"});
    t.push_back({{IMPRESSION},
                 CM_EXPORTER_CSV,
                 "E&xporter en CSV...",
                 "Enregistre le tableau affiché dans un fichier CSV pour un tableur"});
}

// "?": help and about.
void menuAide(std::vector<TEntreeMenu>& t)
{
    t.push_back({{AIDE},
                 CM_AIDE,
                 "&Aide sur Tavo 2000",
                 "Affiche des informations sur l'utilisation de Tavo 2000"});
    t.push_back({{AIDE},
                 CM_A_PROPOS,
                 "&A propos de Tavo 2000",
                 "Affiche les informations sur la version et le copyright de Tavo 2000"});
}

std::vector<TEntreeMenu> construitMenu()
{
    std::vector<TEntreeMenu> t;
    menuDocuments(t);
    menuAffichage(t);
    menuImpression(t);
    menuAide(t);
    return t;
}

} // namespace

const std::vector<TEntreeMenu>& MenuCommandes()
{
    static const std::vector<TEntreeMenu> table = construitMenu();
    return table;
}

void AjouteRecents(tavo::TDecoratedFrame& cadre, TTavoWindow& fenetre)
{
    for (int i = 0; i < NB_RECENTS; ++i)
        cadre.InsereAvant({{CONCOURS}, CM_RECENT_1 + i, {}, {}}, CM_QUITTER);
    QAction* separateur = cadre.InsereAvant({{CONCOURS}, 0, {}, {}}, CM_QUITTER);
    auto actualise = [&cadre, &fenetre, separateur] {
        const QStringList recents = fenetre.FichiersRecents();
        for (int i = 0; i < NB_RECENTS; ++i) {
            QAction* action = cadre.Action(CM_RECENT_1 + i);
            action->setVisible(i < recents.size());
            if (i >= recents.size())
                continue;
            const QString chemin = QDir::toNativeSeparators(recents[i]);
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(chemin));
            action->setStatusTip(QStringLiteral("Ouvre le concours %1").arg(chemin));
        }
        separateur->setVisible(!recents.isEmpty());
    };
    QObject::connect(&fenetre, &TTavoWindow::RecentsChanges, &cadre, actualise);
    actualise();
}

const std::vector<tavo::TGadget>& GadgetsBarreOutils()
{
    static const std::vector<tavo::TGadget> gadgets{
        {CM_NOUVEAU, QStringLiteral(":/tavo/201.png"), -1},
        {CM_OUVRIR, QStringLiteral(":/tavo/202.png"), -1},
        {CM_ENREGISTRER, QStringLiteral(":/tavo/204.png"), -1},
        {0, {}, 0},
        {0, {}, -1},
        {CM_INFORMATIONS, QStringLiteral(":/tavo/301.png"), -1},
        {CM_PILOTES, QStringLiteral(":/tavo/302.png"), -1},
        {CM_NOTES, QStringLiteral(":/tavo/303.png"), -1},
    };
    return gadgets;
}
