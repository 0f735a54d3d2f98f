// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include "cli/FonctionsVues.h"
#include "cli/Impression.h"
#include "cli/Sortie.h"
#include "cli/TableCommandes.h"
#include "model/Concours.h"
#include "model/Emplacements.h"
#include "model/ErreurSysteme.h"
#include "model/Fichier.h"
#include "model/Option.h"
#include "model/Texte.h"
#include "presentation/Messages.h"

#include <cerrno>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <system_error>

namespace tavo::cli {

namespace {

// The options file of the start-up directory (or the user's), overridden by the command line.
// The user's programmes, before the program ever made them, are the installed ones.
ParametresCalcul Parametres(const Commande& commande, const Emplacements& emplacements)
{
    TOption options(emplacements.depart);
    options.Charge(emplacements.options);
    ParametresCalcul parametres(options);
    std::error_code absent;
    if (emplacements.utilisateur &&
        !std::filesystem::is_directory(parametres.repProgrammes, absent))
        if (const std::string installe = RepertoireInstalle(); !installe.empty())
            parametres.repProgrammes = installe + "/Vols";
    if (commande.programmes)
        parametres.repProgrammes = *commande.programmes;
    if (commande.tbl)
        parametres.tbl = *commande.tbl;
    if (commande.rapport1000)
        parametres.rapport1000 = *commande.rapport1000;
    return parametres;
}

// Runs a command read without error.
int Lance(const Commande& commande, Flux flux, const std::string& repertoireCourant)
{
    TConcours concours;
    const ResultatLecture lu = OuvreConcours(concours, commande.fichier);
    if (!lu) {
        flux.erreurs << messages::FICHIER_ILLISIBLE << '\n' << MessageLecture(lu) << '\n';
        return SORTIE_ERREUR;
    }
    const Emplacements emplacements = TrouveEmplacements(repertoireCourant, false);
    const ParametresCalcul parametres = Parametres(commande, emplacements);
    if (commande.vue == "imprimer")
        return Imprime(concours, commande, parametres, flux, emplacements.depart);
    const DescriptionCommande* vue = TrouveCommande(GenreCommande::Vue, commande.vue);
    Commande lancee = commande;
    lancee.options = TOption::CheminFichier(emplacements.options);
    return vue != nullptr ? vue->vue(concours, lancee, parametres, flux) : SORTIE_USAGE;
}

int Traite(const Analyse& analyse, Flux flux, const std::string& repertoireCourant)
{
    if (analyse.genre == Analyse::Genre::Aide) {
        flux.sortie << Aide();
        return SORTIE_OK;
    }
    if (analyse.genre == Analyse::Genre::Erreur) {
        flux.erreurs << "tavo-cli : " << analyse.erreur << "\n\n" << Usage();
        return SORTIE_USAGE;
    }
    return Lance(analyse.commande, flux, repertoireCourant);
}

} // namespace

int Execute(const std::vector<std::string>& arguments, std::ostream& sortie, std::ostream& erreurs,
            const std::string& repertoireCourant)
{
    const Analyse analyse = AnalyseArguments(arguments);
    std::ostringstream resultat;
    std::ostringstream messages;
    const int code = Traite(analyse, {resultat, messages}, repertoireCourant);
    // JSON escapes its control characters; every other text is made harmless here.
    erreurs << SansControle(messages.str(), true);
    const bool json =
        analyse.genre == Analyse::Genre::Commande && analyse.commande.format == Format::Json;
    errno = 0;
    sortie << (json ? resultat.str() : SansControle(resultat.str(), true));
    if (!sortie.flush()) {
        const int cause = errno;
        erreurs << "tavo-cli : impossible d'écrire le résultat sur la sortie standard";
        if (cause != 0)
            erreurs << " : " << RaisonSysteme(cause);
        erreurs << '\n';
        return SORTIE_ERREUR;
    }
    return code;
}

} // namespace tavo::cli
