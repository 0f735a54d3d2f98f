// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/CibleCommandes.h"

#include <vector>

namespace tavo {
class TDecoratedFrame;
}
class TTavoWindow;

/** Command numbers of the menu "COMMANDS" and the tool bar. */
enum Commande : int
{
    CM_NOUVEAU = 201,
    CM_OUVRIR = 202,
    CM_ENREGISTRER = 204,
    CM_ENREGISTRER_SOUS = 205,
    CM_RECENT_1 = 206, ///< to 211: the competitions opened last, the latest first
    CM_INFORMATIONS = 301,
    CM_PILOTES = 302,
    CM_NOTES = 303,
    CM_OPTIONS = 304,
    CM_TERRAIN = 305, ///< the judges entering their marks on their phones
    /// pilots added from a registration spreadsheet (CSV)
    CM_IMPORTER = 212, ///< the pilots of a registration spreadsheet
    CM_CARACTERISTIQUES = 401,
    CM_JUGES = 402,
    CM_LISTE_PILOTES = 403,
    CM_CLST_JUGES_1 = 405,        ///< to 411: judge ranking of flights 1 to 7
    CM_CLST_PILOTES_1 = 413,      ///< to 416: pilot ranking after 1 to 4 flights
    CM_FLYOFF_1 = 418,            ///< to 421: pilot ranking after 1 to 4 fly-offs
    CM_DIAGRAMME_1 = 423,         ///< to 427: score diagram of judges 1 to 5
    CM_TBL_1 = 429,               ///< to 435: TBL profile of flights 1 to 7
    CM_FEUILLES_MANQUANTES = 437, ///< the sheets still to type, flight by flight
    CM_MISE_EN_PAGE = 501,
    CM_IMP_LISTE_DOSSARDS = 503,
    CM_IMP_LISTE_NOMS = 504,
    CM_IMP_CLST_PILOTES_1 = 506, ///< to 509
    CM_IMP_FLYOFF_1 = 511,       ///< to 514
    CM_IMP_CLST_JUGES_1 = 516,   ///< to 522
    CM_IMP_DIAGRAMME_1 = 524,    ///< to 528
    CM_IMP_PROGRAMME_1 = 530,    ///< to 536
    CM_IMP_PROCES_VERBAL = 538,
    CM_PUBLIER = 540,      ///< the results site
    CM_EXPORTER_CSV = 542, ///< the table view shown, as a spreadsheet's file
    CM_AIDE = 601,
    CM_A_PROPOS = 602,
    CM_QUITTER = tavo::CM_EXIT,
};

/** The menu "COMMANDS": every item, separator and submenu, in order, with its hint. */
const std::vector<tavo::TEntreeMenu>& MenuCommandes();

/** How many competitions the "Concours" menu offers to open again. */
constexpr int NB_RECENTS = 6;

/**
 * The recent competitions at the end of the "Concours" menu, before "Quitter", with a
 * separator after them: "&1 /chemin/concours.ccr"..., shown as the window's list changes.
 */
void AjouteRecents(tavo::TDecoratedFrame& cadre, TTavoWindow& fenetre);

/** The tool bar: six buttons with their glyphs and two separators. */
const std::vector<tavo::TGadget>& GadgetsBarreOutils();
