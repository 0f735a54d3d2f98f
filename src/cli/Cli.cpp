// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include "cli/Impression.h"
#include "cli/Sortie.h"
#include "cli/TableCommandes.h"
#include "cli/Vues.h"
#include "model/Concours.h"
#include "model/ErreurSysteme.h"
#include "model/Fichier.h"
#include "model/Option.h"
#include "scoring/Messages.h"

#include <cerrno>
#include <ostream>
#include <sstream>

namespace tavo::cli {

namespace {

// The options file of the current directory, overridden by the command line.
ParametresCalcul Parametres(const Commande& commande, const std::string& repertoireCourant)
{
    TOption options(repertoireCourant);
    options.Charge(repertoireCourant);
    ParametresCalcul parametres(options);
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
    const ParametresCalcul parametres = Parametres(commande, repertoireCourant);
    if (commande.vue == "imprimer")
        return Imprime(concours, commande, parametres, flux, repertoireCourant);
    const DescriptionCommande* vue = TrouveCommande(GenreCommande::Vue, commande.vue);
    return vue != nullptr ? vue->vue(concours, commande, parametres, flux) : SORTIE_USAGE;
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
    erreurs << SansControle(messages.str());
    const bool json =
        analyse.genre == Analyse::Genre::Commande && analyse.commande.format == Format::Json;
    errno = 0;
    sortie << (json ? resultat.str() : SansControle(resultat.str()));
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
