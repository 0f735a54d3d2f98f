// SPDX-License-Identifier: GPL-3.0-or-later
// "imprimer": the printed forms written into a PDF file.
#include "cli/Impression.h"

#include "model/Concours.h"
#include "model/Fichier.h"
#include "platform/Chaines.h"
#include "platform/Printer.h"
#include "print/Formulaires.h"
#include "scoring/Regles.h"

#include <memory>
#include <ostream>

#include <QGuiApplication>

namespace tavo::cli {

namespace {

Formulaire FormulaireDe(const Commande& commande)
{
    const std::string& nom = commande.formulaire;
    if (nom == "classement")
        return Formulaire::Classement;
    if (nom == "flyoff")
        return Formulaire::FlyOff;
    if (nom == "juges")
        return Formulaire::Juges;
    if (nom == "notes")
        return Formulaire::Notes;
    if (nom == "programme")
        return Formulaire::Programme;
    if (nom == "proces-verbal")
        return Formulaire::ProcesVerbal;
    if (nom == "diagramme")
        return Formulaire::Diagramme;
    return commande.alphabetique ? Formulaire::ListeAlphabetique : Formulaire::ListeDossards;
}

// Painting needs a GUI application; without a display it paints offscreen.
void ApplicationGraphique()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nom[] = "tavo-cli";
    static char* argv[] = {nom, nullptr};
    static QGuiApplication application(argc, argv);
}

// The sheet of one pilot on one flight, scored as score entry leaves it.
Statut PrepareFeuille(TConcours& concours, const Commande& commande,
                      const ParametresCalcul& parametres)
{
    const std::string dossard = commande.dossard;
    if (std::string(concours.GetPiloteDossard(dossard.c_str()).GetDossard()) != dossard)
        return {false, "Aucun pilote ne porte le dossard " + dossard};
    if (commande.nombre > VolsEffectifs(concours.GetNbVols()))
        return {false, "Le concours n'a que " + std::to_string(concours.GetNbVols()) + " vol(s)"};
    const auto vol = static_cast<short>(commande.nombre);
    if (!concours.ChargeProgramme(vol, parametres.repProgrammes))
        return {false, "Le fichier contenant le programme de vol est introuvable"};
    concours.SetDossardCourant(dossard.c_str());
    concours.SetVolCourant(vol);
    concours.CalculeVolPilotes(vol);
    return {};
}

} // namespace

int Imprime(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
            Flux flux, const std::string& repertoireCourant)
{
    const Formulaire formulaire = FormulaireDe(commande);
    if (formulaire == Formulaire::FlyOff &&
        !FlyOffPropose(concours.GetCategorie(), concours.GetSerie(), commande.nombre)) {
        flux.erreurs << "Le classement après " << commande.nombre
                     << " fly-off n'est pas prévu pour la catégorie " << U8(concours.GetCategorie())
                     << " en série " << U8(concours.GetSerie()) << '\n';
        return SORTIE_ERREUR;
    }
    if (formulaire == Formulaire::Diagramme && commande.nombre > concours.GetNbJuges()) {
        flux.erreurs << "Le concours n'a que " << concours.GetNbJuges() << " juges\n";
        return SORTIE_ERREUR;
    }
    const Statut statut =
        formulaire == Formulaire::Notes
            ? PrepareFeuille(concours, commande, parametres)
            : PrepareFormulaire(concours, parametres, formulaire, commande.nombre);
    if (!statut)
        return Echec(statut, flux);

    ApplicationGraphique();
    TPrinter imprimante;
    imprimante.MiseEnPageAutomatique(OrientationFormulaire(formulaire, commande.nombre));
    const auto printout =
        CreeFormulaire(concours, parametres, formulaire, commande.nombre,
                       MargesDe(imprimante.GetSetup()), CheminQt(repertoireCourant.c_str()));
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
