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
#include <ostream>
#include <sstream>

namespace tavo::cli {

namespace {

// The options file of the start-up directory (or the user's), overridden by the command line.
// The user's programmes, while the user's folder has none, are the installed ones.
ParametresCalcul Parametres(const Commande& commande, const Emplacements& emplacements)
{
    TOption options(emplacements.depart);
    options.Charge(emplacements.options);
    ParametresCalcul parametres(options);
    parametres.repProgrammes = RepertoireProgrammes(parametres.repProgrammes, emplacements);
    if (commande.programmes)
        parametres.repProgrammes = *commande.programmes;
    if (commande.tbl)
        parametres.tbl = *commande.tbl;
    if (commande.rapport1000)
        parametres.rapport1000 = *commande.rapport1000;
    return parametres;
}

// What a command said on the error stream: after a failure each line is a reason about the
// file, "tavo-cli : FICHIER : raison"; after a success (a warning, a note) as it was said.
void Rapporte(int code, const std::string& fichier, const std::string& dit, std::ostream& erreurs)
{
    if (code == SORTIE_OK) {
        erreurs << dit;
        return;
    }
    std::size_t debut = 0;
    while (debut < dit.size()) {
        std::size_t fin = dit.find('\n', debut);
        fin = fin == std::string::npos ? dit.size() : fin;
        // A line that names its file already (the spreadsheet of "importer") is kept as it is.
        const std::string ligne = dit.substr(debut, fin - debut);
        if (ligne.rfind("tavo-cli : ", 0) == 0)
            erreurs << ligne << '\n';
        else if (fin > debut)
            erreurs << "tavo-cli : " << fichier << " : " << ligne << '\n';
        debut = fin + 1;
    }
}

// Runs a command read without error.
int Lance(const Commande& commande, Flux flux, const std::string& repertoireCourant)
{
    TConcours concours;
    const ResultatLecture lu = OuvreConcours(concours, commande.fichier);
    if (!lu) {
        Rapporte(SORTIE_ERREUR, commande.fichier,
                 std::string(messages::FICHIER_ILLISIBLE) + " : " + MessageLecture(lu) + '\n',
                 flux.erreurs);
        return SORTIE_ERREUR;
    }
    const Emplacements emplacements = TrouveEmplacements(repertoireCourant, false);
    const ParametresCalcul parametres = Parametres(commande, emplacements);
    std::ostringstream dit;
    const Flux fluxCommande{flux.sortie, dit};
    int code = SORTIE_USAGE;
    if (commande.vue == "imprimer") {
        code = Imprime(concours, commande, parametres, fluxCommande, emplacements.depart);
    } else if (const DescriptionCommande* vue = TrouveCommande(GenreCommande::Vue, commande.vue)) {
        Commande lancee = commande;
        lancee.options = TOption::CheminFichier(emplacements.options);
        code = vue->vue(concours, lancee, parametres, fluxCommande);
    }
    Rapporte(code, commande.fichier, dit.str(), flux.erreurs);
    return code;
}

int Traite(const Analyse& analyse, Flux flux, const std::string& repertoireCourant)
{
    switch (analyse.genre) {
    case Analyse::Genre::Aide:
        flux.sortie << Aide();
        return SORTIE_OK;
    case Analyse::Genre::AideCommande:
        flux.sortie << AideDeCommande(analyse.commande);
        return SORTIE_OK;
    case Analyse::Genre::Version:
        flux.sortie << Version();
        return SORTIE_OK;
    case Analyse::Genre::Erreur:
        flux.erreurs << "tavo-cli : " << analyse.erreur << "\n\n" << Usage();
        return SORTIE_USAGE;
    case Analyse::Genre::Commande:
        break;
    }
    return Lance(analyse.commande, flux, repertoireCourant);
}

} // namespace

int Execute(const std::vector<std::string>& arguments, std::ostream& sortie, std::ostream& erreurs,
            const std::string& repertoireCourant)
{
    const Analyse analyse = AnalyseArguments(arguments);
    const bool commande = analyse.genre == Analyse::Genre::Commande;
    SortieResultat resultat(sortie, !(commande && analyse.commande.format == Format::Json),
                            commande && analyse.commande.format == Format::Csv);
    std::ostream fluxResultat(&resultat);
    std::ostringstream messages;
    const int code = Traite(analyse, {fluxResultat, messages}, repertoireCourant);
    erreurs << SansControle(messages.view(), true);
    if (!resultat.Termine()) {
        erreurs << "tavo-cli : impossible d'écrire le résultat sur la sortie standard";
        if (resultat.Cause() != 0)
            erreurs << " : " << RaisonSysteme(resultat.Cause());
        erreurs << '\n';
        return SORTIE_ERREUR;
    }
    return code;
}

} // namespace tavo::cli
