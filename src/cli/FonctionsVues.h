// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Commande.h"
#include "presentation/Presentation.h"
#include "scoring/Classements.h"

#include <iosfwd>
#include <string>

class TConcours;

namespace tavo::cli {

/** Where a view writes: its result on `sortie`, a failure's message on `erreurs`. */
struct Flux
{
    std::ostream& sortie;
    std::ostream& erreurs;
};

/** A view writes the competition in the chosen format and returns the exit status. */
using FonctionVue = int (*)(TConcours& concours, const Commande& commande,
                            const ParametresCalcul& parametres, Flux flux);

int VueConcours(TConcours&, const Commande&, const ParametresCalcul&, Flux);
int VueClassement(TConcours&, const Commande&, const ParametresCalcul&, Flux);
int VueFlyOff(TConcours&, const Commande&, const ParametresCalcul&, Flux);
int VueJuges(TConcours&, const Commande&, const ParametresCalcul&, Flux);
int VueDiagramme(TConcours&, const Commande&, const ParametresCalcul&, Flux);
int VueProfil(TConcours&, const Commande&, const ParametresCalcul&, Flux);
int VueAccord(TConcours&, const Commande&, const ParametresCalcul&, Flux);
int VuePublier(TConcours&, const Commande&, const ParametresCalcul&, Flux);
int VueFeuille(TConcours&, const Commande&, const ParametresCalcul&, Flux);
int VueImporter(TConcours&, const Commande&, const ParametresCalcul&, Flux);
int VueManquantes(TConcours&, const Commande&, const ParametresCalcul&, Flux);

constexpr int SORTIE_OK = 0;
constexpr int SORTIE_ERREUR = 2;
constexpr int SORTIE_USAGE = 64;

// Shared by the views.
/** A Windows-1252 text of the records in UTF-8. */
std::string U8(const std::string& cp1252);
/** A table view in CSV, or in text under its title block. */
void EcritTable(const TableVue& table, Format format, std::ostream& sortie);
/**
 * The sheet of the pilot wearing `commande.dossard` on flight `commande.nombre`, scored as
 * score entry leaves it: its programme loaded, the pilot and flight made current. Why not, or "".
 */
std::string PrepareFeuille(TConcours& concours, const Commande& commande,
                           const ParametresCalcul& parametres);
/**
 * Why a preparation failed: its message, then for a missing programme the flight, the file
 * looked for and the folder.
 */
std::string Raison(const Statut& statut, const TConcours& concours,
                   const ParametresCalcul& parametres);
/** A failed preparation: its reason on the error stream. */
int Echec(const Statut& statut, const TConcours& concours, const ParametresCalcul& parametres,
          Flux flux);

} // namespace tavo::cli
