// SPDX-License-Identifier: GPL-3.0-or-later
// "importer": pilots added from a registration spreadsheet, the competition saved.
#include "cli/FonctionsVues.h"
#include "document/Document.h"
#include "model/ImportPilotes.h"
#include "model/Journal.h"

#include <ostream>

namespace tavo::cli {

namespace {

// Without a window, every question is answered no, and said.
class TInterlocuteurImport : public TInterlocuteur
{
public:
    TInterlocuteurImport(const std::string& fichier, std::ostream& erreurs)
        : m_fichier(fichier)
        , m_erreurs(erreurs)
    {}
    bool OuvreMalgreVerrou(const std::string&, const TDetenteurVerrou& qui) override
    {
        Dit("le concours est ouvert par " +
            (qui.Utilisateur.empty() ? std::string("un autre programme") : qui.Utilisateur) +
            (qui.Hote.empty() ? std::string() : " sur " + qui.Hote) +
            " : fermez-le d'abord ; aucun pilote n'est ajouté");
        return false;
    }
    bool RemplaceFichierChange(const std::string&) override
    {
        Dit("modifié par un autre programme pendant l'import : il n'est pas remplacé");
        return false;
    }
    bool RemplaceFichierOuvert(const std::string&, const TDetenteurVerrou&) override
    {
        Dit("ouvert ailleurs : il n'est pas remplacé");
        return false;
    }
    bool RecupereNotes(bool) override { return false; }
    void VerrouImpossible(const std::string& verrou, const std::string& raison) override
    {
        Dit("le verrou « " + verrou + " » n'a pas pu être créé (" + raison + ")");
    }
    void JournalImpossible(const std::string& journal, const std::string& raison) override
    {
        Dit("le journal « " + journal + " » ne peut pas être écrit (" + raison + ")");
    }
    void JournalTropGrand(const std::string&, std::uint64_t) override {}

private:
    void Dit(const std::string& raison)
    {
        m_erreurs << "tavo-cli : " << m_fichier << " : " << raison << "\n";
    }
    std::string m_fichier;
    std::ostream& m_erreurs;
};

} // namespace

int VueImporter(TConcours&, const Commande& commande, const ParametresCalcul&, Flux flux)
{
    const std::string& tableur = commande.repertoire;
    TInterlocuteurImport interlocuteur(commande.fichier, flux.erreurs);
    TDocument document(interlocuteur);
    ResultatLecture lecture;
    if (const Issue ouvert = document.Ouvre(commande.fichier, &lecture); ouvert != Issue::Faite) {
        if (ouvert == Issue::Echouee)
            flux.erreurs << "tavo-cli : " << commande.fichier << " : " << MessageLecture(lecture)
                         << "\n";
        return SORTIE_ERREUR;
    }
    const ImportPilotes import = LitFichierImportPilotes(tableur, document.Concours());
    if (import.Refuse()) {
        flux.erreurs << "tavo-cli : " << tableur << " : " << import.erreur
                     << " Aucun pilote n'est ajouté.\n";
        return SORTIE_ERREUR;
    }
    for (const std::string& ligne : RapportImport(import))
        flux.sortie << ligne << '\n';
    if (import.pilotes.empty()) {
        flux.erreurs << "tavo-cli : " << tableur
                     << " : aucun pilote à ajouter ; le concours n'est pas modifié.\n";
        return SORTIE_ERREUR;
    }
    const PhotoConcours avant = Photographie(document.Concours());
    AjoutePilotesImportes(document.Concours(), import);
    document.Change(avant);
    std::string erreur;
    if (document.Ecrit(document.Fichier(), &erreur) != Issue::Faite) {
        if (!erreur.empty())
            flux.erreurs << "tavo-cli : " << commande.fichier << " : " << erreur << "\n";
        // Nothing was added: no journal is left to offer the pilots back.
        document.Abandonne();
        return SORTIE_ERREUR;
    }
    const std::size_t n = import.pilotes.size();
    flux.sortie << commande.fichier << " : " << n
                << (n == 1 ? " pilote ajouté" : " pilotes ajoutés") << ", enregistré\n";
    return SORTIE_OK;
}

} // namespace tavo::cli
