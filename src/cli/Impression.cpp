// SPDX-License-Identifier: GPL-3.0-or-later
// "imprimer": the printed forms written into a PDF file.
#include "cli/Impression.h"

#include "cli/TableCommandes.h"
#include "model/Concours.h"
#include "model/Fichier.h"
#include "platform/Chaines.h"
#include "platform/Printer.h"
#include "presentation/Messages.h"
#include "print/Formulaires.h"
#include "scoring/Regles.h"

#include <memory>
#include <ostream>

#include <QGuiApplication>

namespace tavo::cli {

namespace {

// The printout of a form of the table.
Formulaire FormulaireDe(FormeImprimee forme, bool alphabetique)
{
    switch (forme) {
    case FormeImprimee::Classement:
        return Formulaire::Classement;
    case FormeImprimee::FlyOff:
        return Formulaire::FlyOff;
    case FormeImprimee::Juges:
        return Formulaire::Juges;
    case FormeImprimee::Notes:
        return Formulaire::Notes;
    case FormeImprimee::Programme:
        return Formulaire::Programme;
    case FormeImprimee::ProcesVerbal:
        return Formulaire::ProcesVerbal;
    case FormeImprimee::Diagramme:
        return Formulaire::Diagramme;
    case FormeImprimee::Pilotes:
    case FormeImprimee::Aucune:
        break;
    }
    return alphabetique ? Formulaire::ListeAlphabetique : Formulaire::ListeDossards;
}

} // namespace

int Imprime(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
            Flux flux, const std::string& repertoireCourant)
{
    // Painting needs the GUI application of the program's main.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        flux.erreurs << "l'impression demande une application graphique, qui n'a "
                        "pas été créée\n";
        return SORTIE_ERREUR;
    }
    const DescriptionCommande* description =
        TrouveCommande(GenreCommande::Formulaire, commande.formulaire);
    if (description == nullptr)
        return SORTIE_USAGE;
    const Formulaire formulaire = FormulaireDe(description->forme, commande.alphabetique);
    if (formulaire == Formulaire::FlyOff &&
        !FlyOffPropose(concours.GetCategorie(), concours.GetSerie(), commande.nombre)) {
        flux.erreurs << "Le classement après " << commande.nombre
                     << " fly-off n'est pas prévu pour la catégorie " << U8(concours.GetCategorie())
                     << " en série " << U8(concours.GetSerie()) << '\n';
        return SORTIE_ERREUR;
    }
    if (formulaire == Formulaire::Diagramme && commande.nombre > concours.GetNbJuges()) {
        flux.erreurs << messages::JugesDuConcours(concours.GetNbJuges()) << '\n';
        return SORTIE_ERREUR;
    }
    const std::string echec =
        formulaire == Formulaire::Notes
            ? PrepareFeuille(concours, commande, parametres)
            : Raison(PrepareFormulaire(concours, parametres, formulaire, commande.nombre), concours,
                     parametres);
    if (!echec.empty()) {
        flux.erreurs << echec << '\n';
        return SORTIE_ERREUR;
    }

    TPrinter imprimante;
    imprimante.MiseEnPageAutomatique(OrientationFormulaire(formulaire, commande.nombre));
    const auto printout = CreeFormulaire(concours, parametres, formulaire, commande.nombre,
                                         MargesDe(imprimante.GetSetup()),
                                         CheminQt(repertoireCourant.c_str()), commande.accord);
    const QString pdf = QString::fromStdString(commande.pdf);
    QString raison;
    const int pages = imprimante.ImprimePdf(pdf, *printout, &raison);
    if (pages <= 0) {
        flux.erreurs << "Impossible d'écrire le fichier " << commande.pdf;
        if (!raison.isEmpty())
            flux.erreurs << " : " << raison.toStdString();
        flux.erreurs << '\n';
        return SORTIE_ERREUR;
    }
    // A PDF written on the standard output is not followed by this line.
    std::ostream& compteRendu =
        MemeFichier(commande.pdf, "/dev/stdout") ? flux.erreurs : flux.sortie;
    compteRendu << commande.pdf << " : " << pages << (pages > 1 ? " pages\n" : " page\n");
    return SORTIE_OK;
}

} // namespace tavo::cli
