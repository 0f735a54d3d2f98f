// SPDX-License-Identifier: GPL-3.0-or-later
// The open competition as a document: its file, the lock beside it, the footprint that
// tells a change made on disk by someone else, and the recovery journal of every mark and
// change since the last save.
#include "document/Document.h"

#include "model/Emplacements.h"
#include "model/Empreinte.h"
#include "model/Fichier.h"
#include "model/Processus.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace tavo {

namespace {

constexpr std::string_view EXTENSION_JOURNAL = ".journal";

/** The footprint of what a file holds now; empty when it cannot be read. */
std::string EmpreinteFichier(const std::string& chemin)
{
    std::string octets;
    if (!LitFichier(chemin, octets))
        return {};
    return EmpreinteHex(octets);
}

bool Existe(const std::string& chemin)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(chemin, ec)) && fs::exists(chemin, ec);
}

/** The directory and the name start of a competition's journals (".NAME." or "sans_nom."). */
std::pair<fs::path, std::string> FamilleJournal(const std::string& fichier)
{
    if (fichier.empty())
        return {fs::path(RepertoireEtat()), "sans_nom."};
    const fs::path reel(CheminReel(fichier));
    return {reel.parent_path(), '.' + reel.filename().string() + '.'};
}

bool Nombre(std::string_view texte)
{
    return !texte.empty() &&
           std::all_of(texte.begin(), texte.end(), [](char c) { return c >= '0' && c <= '9'; });
}

/** A journal's name in a family: the start, a process number, maybe "-N", ".journal". */
bool DeLaFamille(std::string_view nom, std::string_view debut)
{
    if (!nom.starts_with(debut) || !nom.ends_with(EXTENSION_JOURNAL) ||
        nom.size() < debut.size() + EXTENSION_JOURNAL.size())
        return false;
    const std::string_view milieu =
        nom.substr(debut.size(), nom.size() - debut.size() - EXTENSION_JOURNAL.size());
    const std::size_t tiret = milieu.find('-');
    if (tiret == std::string_view::npos)
        return Nombre(milieu);
    return Nombre(milieu.substr(0, tiret)) && Nombre(milieu.substr(tiret + 1));
}

/** A journal a program of this computer left when it ended without saving. */
struct Orphelin
{
    std::string Chemin;
    Reprise Mode = Reprise::Tout;
};

/** The journals of a family, oldest first. */
std::vector<fs::path> Journaux(const std::string& fichier)
{
    const auto [dossier, debut] = FamilleJournal(fichier);
    std::vector<std::pair<fs::file_time_type, fs::path>> trouves;
    std::error_code ec;
    for (fs::directory_iterator it(dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
        std::error_code e;
        if (!it->is_regular_file(e) || !DeLaFamille(it->path().filename().string(), debut))
            continue;
        trouves.emplace_back(it->last_write_time(e), it->path());
    }
    std::sort(trouves.begin(), trouves.end());
    std::vector<fs::path> chemins;
    for (auto& [date, chemin] : trouves)
        chemins.push_back(std::move(chemin));
    return chemins;
}

/**
 * The journals of ended programs of this computer for a file (none: the
 * unnamed competition), oldest first, whatever their times: one that started
 * from another content of the file (saved since by another window) gives back
 * its marks only. Another computer's journals are not ours to replay or
 * remove. Journals too large to read are told.
 */
std::vector<Orphelin> JournauxOrphelins(const std::string& fichier, const std::string& origine,
                                        TInterlocuteur* interlocuteur)
{
    std::vector<Orphelin> orphelins;
    const std::string hote = NomOrdinateur();
    for (const fs::path& chemin : Journaux(fichier)) {
        const ResultatReprise r = LitEnteteJournal(chemin.string());
        if (r.etat == EtatJournal::TropGrand && interlocuteur)
            interlocuteur->JournalTropGrand(chemin.string(), r.taille);
        if (r.etat != EtatJournal::Lu || r.entete.hote != hote ||
            ProcessusVivant(r.entete.processus, r.entete.demarrage))
            continue;
        const bool memeOrigine = fichier.empty() || r.entete.origine == origine;
        orphelins.push_back({chemin.string(), memeOrigine ? Reprise::Tout : Reprise::NotesSeules});
    }
    return orphelins;
}

/** What the journals give back to a competition, replayed on a copy of it. */
struct Rejeu
{
    TConcours recupere;
    bool notesSeules = false;
    std::vector<bool> entiers; ///< journals wholly replayed: nothing of them is left out
    std::string changements;   ///< what they change; empty: nothing to offer
};

void Rejoue(const TConcours& concours, const std::vector<Orphelin>& orphelins, Rejeu& rejeu)
{
    rejeu.recupere.Reprend(concours);
    for (const Orphelin& o : orphelins) {
        const ResultatReprise r = RejoueJournal(o.Chemin, rejeu.recupere, o.Mode);
        rejeu.notesSeules =
            rejeu.notesSeules || (o.Mode == Reprise::NotesSeules && r.appliquees > 0);
        rejeu.entiers.push_back(o.Mode == Reprise::Tout || r.ignorees == 0);
    }
    rejeu.changements = Changements(Photographie(concours), rejeu.recupere);
}

} // namespace

std::optional<NotesNonEnregistrees> NotesARecuperer(const std::string& fichier)
{
    // The journals' headers first: most files have none, and reading them costs nothing.
    if (fichier.empty() || JournauxOrphelins(fichier, {}, nullptr).empty() ||
        TVerrou::Detenteur(fichier))
        return std::nullopt;
    TConcours concours;
    std::string octets;
    if (!OuvreConcours(concours, fichier, &octets))
        return std::nullopt;
    const std::vector<Orphelin> orphelins =
        JournauxOrphelins(fichier, EmpreinteHex(octets), nullptr);
    Rejeu rejeu;
    Rejoue(concours, orphelins, rejeu);
    if (rejeu.changements.empty())
        return std::nullopt;
    NotesNonEnregistrees notes{rejeu.notesSeules, {}};
    for (const Orphelin& o : orphelins)
        notes.journaux.push_back(o.Chemin);
    return notes;
}

TDocument::TDocument(TInterlocuteur& interlocuteur)
    : m_interlocuteur(interlocuteur)
    , m_concours(std::make_unique<TConcours>())
{}

TDocument::~TDocument()
{
    if (!m_modifie || m_abandon)
        OublieJournal();
}

void TDocument::MarqueModifie()
{
    m_modifie = true;
    m_abandon = false;
    ++m_revision;
}

void TDocument::Nouveau()
{
    m_concours->Nouveau();
    LacheFichier();
    m_modifie = false;
    m_sansNom = true;
    ++m_revision;
}

Issue TDocument::Ouvre(const std::string& chemin, ResultatLecture* lecture)
{
    if (m_verrou.Fichier().empty() || !MemeFichier(chemin, m_verrou.Fichier()))
        if (const auto d = TVerrou::Detenteur(chemin))
            if (!m_interlocuteur.OuvreMalgreVerrou(chemin, *d))
                return Issue::Refusee;
    std::string octets;
    const ResultatLecture resultat = OuvreConcours(*m_concours, chemin, &octets);
    if (lecture)
        *lecture = resultat;
    if (!resultat)
        return Issue::Echouee;
    m_modifie = false;
    m_sansNom = false;
    ++m_revision;
    PrendFichier(chemin, std::move(octets));
    return Issue::Faite;
}

Issue TDocument::Ecrit(const std::string& chemin, std::string* erreur)
{
    if (!AccepteEcriture(chemin))
        return Issue::Refusee;
    std::string texte = m_concours->Ecrit();
    if (!EcritFichierSur(chemin, texte, erreur))
        return Issue::Echouee;
    m_modifie = false;
    m_sansNom = false;
    PrendFichier(chemin, std::move(texte));
    return Issue::Faite;
}

void TDocument::PrendFichier(const std::string& chemin, std::string contenu)
{
    OublieJournal();
    m_fichier = chemin;
    m_abandon = false;
    std::string raison;
    // Held elsewhere (opened anyway) or a read-only place: no lock of ours, silently.
    if ((m_verrou.Fichier().empty() || !MemeFichier(chemin, m_verrou.Fichier())) &&
        !m_verrou.Prend(chemin, &raison) && !raison.empty())
        m_interlocuteur.VerrouImpossible(TVerrou::CheminVerrou(chemin), raison);
    m_empreinteChemin = chemin;
    // The bytes go with the fingerprint's thread, and are freed once it is computed.
    auto octets = std::make_shared<std::string>(std::move(contenu));
    try {
        m_empreinte = std::async(std::launch::async, [octets]() mutable {
                          std::string empreinte = EmpreinteHex(*octets);
                          octets.reset();
                          return empreinte;
                      }).share();
    } catch (const std::system_error&) {
        // No thread to be had: computed here.
        std::promise<std::string> empreinte;
        empreinte.set_value(EmpreinteHex(*octets));
        m_empreinte = empreinte.get_future().share();
    }
}

const std::string& TDocument::Empreinte() const
{
    static const std::string aucune;
    return m_empreinte.valid() ? m_empreinte.get() : aucune;
}

void TDocument::LacheFichier()
{
    OublieJournal();
    m_verrou.Libere();
    m_abandon = false;
    m_empreinteChemin.clear();
    m_empreinte = {};
}

bool TDocument::AccepteEcriture(const std::string& chemin)
{
    if (!m_empreinteChemin.empty() && MemeFichier(chemin, m_empreinteChemin)) {
        // The content decides: another program may rewrite a file within the same second
        // and to the same size.
        if (!Existe(chemin) || EmpreinteFichier(chemin) == Empreinte())
            return true;
        return m_interlocuteur.RemplaceFichierChange(chemin);
    }
    if (!m_verrou.Fichier().empty() && MemeFichier(chemin, m_verrou.Fichier()))
        return true;
    const auto d = TVerrou::Detenteur(chemin);
    return !d || m_interlocuteur.RemplaceFichierOuvert(chemin, *d);
}

void TDocument::VerifieFichier()
{
    if (!m_sansNom && !m_empreinteChemin.empty() &&
        EmpreinteFichier(m_empreinteChemin) != Empreinte())
        MarqueModifie();
}

std::string TDocument::NomJournal() const
{
    const auto [dossier, debut] = FamilleJournal(m_sansNom ? std::string() : m_fichier);
    return (dossier / (debut + std::to_string(NumeroProcessus()) + std::string(EXTENSION_JOURNAL)))
        .string();
}

std::string TDocument::CheminJournal() const
{
    const std::string nom = NomJournal();
    return m_journal && m_journal->Nom() == nom ? m_journal->Chemin() : nom;
}

std::vector<std::string> FichiersDuConcours(const std::string& fichier)
{
    if (fichier.empty())
        return {};
    std::vector<std::string> fichiers{fichier, CheminReel(fichier), TVerrou::CheminVerrou(fichier)};
    for (const fs::path& journal : Journaux(fichier))
        fichiers.push_back(journal.string());
    fichiers.push_back(FichierTerrain(fichier));
    return fichiers;
}

std::string FichierTerrain(const std::string& fichier)
{
    const fs::path reel(CheminReel(fichier));
    return (reel.parent_path() / ("." + reel.filename().string() + ".terrain")).string();
}

std::vector<std::string> TDocument::FichiersProteges() const
{
    std::vector<std::string> proteges;
    if (m_sansNom)
        for (const fs::path& journal : Journaux({}))
            proteges.push_back(journal.string());
    else
        proteges = FichiersDuConcours(m_fichier);
    proteges.push_back(CheminJournal());
    return proteges;
}

TJournal& TDocument::JournalCourant()
{
    const std::string nom = NomJournal();
    if (!m_journal || m_journal->Nom() != nom) {
        std::error_code ec;
        fs::create_directories(fs::path(nom).parent_path(), ec);
        const long long pid = NumeroProcessus();
        m_journal = std::make_unique<TJournal>(
            nom, EnteteJournal{NomOrdinateur(), pid, DemarrageProcessus(pid),
                               m_sansNom ? std::string() : Empreinte()});
        m_echecJournalAnnonce = false;
    }
    return *m_journal;
}

void TDocument::AnnonceEchecJournal()
{
    if (!m_journal || !m_journal->EnEchec() || m_echecJournalAnnonce)
        return;
    m_echecJournalAnnonce = true;
    m_interlocuteur.JournalImpossible(m_journal->Chemin(), m_journal->Raison());
}

void TDocument::StockeNote(const NoteJournal& note)
{
    auto pilote = std::find_if(m_concours->GetPilotes().begin(), m_concours->GetPilotes().end(),
                               [&](const TPilote& p) { return note.dossard == p.GetDossard(); });
    if (pilote == m_concours->GetPilotes().end())
        return;
    pilote->SetNote(note.vol, note.ligne, note.juge, note.note);
    TJournal& journal = JournalCourant();
    // Without a file, marks alone could not be replayed: the journal starts with the whole
    // competition. With one, every change since it was read or written is in the journal.
    if (journal.Vierge() && m_sansNom)
        journal.AjouteConcours(m_concours->Ecrit());
    journal.AjouteNote(note, *pilote);
    AnnonceEchecJournal();
    MarqueModifie();
}

std::optional<double> TDocument::TermineVol(const std::string& dossard, short vol,
                                            const TProgramme& programme)
{
    auto pilote = std::find_if(m_concours->GetPilotes().begin(), m_concours->GetPilotes().end(),
                               [&](const TPilote& p) { return dossard == p.GetDossard(); });
    if (pilote == m_concours->GetPilotes().end())
        return std::nullopt;
    pilote->CalculeVol(vol, m_concours->GetNbJuges(), programme);
    Synchronise(); // the sheet is on the disk before anything else happens
    return pilote->GetScoreVol(vol);
}

void TDocument::JournaliseChangements(const std::string& changements)
{
    TJournal& journal = JournalCourant();
    // An unnamed competition is only in memory: its journal starts with the whole of it.
    if (journal.Vierge() && m_sansNom)
        journal.AjouteConcours(m_concours->Ecrit());
    else
        journal.AjouteChangements(changements);
    AnnonceEchecJournal();
}

void TDocument::Change(const PhotoConcours& avant)
{
    MarqueModifie();
    JournaliseChangements(Changements(avant, *m_concours));
}

bool TDocument::ChangeSiDifferent(const PhotoConcours& avant)
{
    const std::string changements = Changements(avant, *m_concours);
    if (changements.empty())
        return false;
    MarqueModifie();
    JournaliseChangements(changements);
    return true;
}

void TDocument::Synchronise()
{
    if (m_journal)
        m_journal->Synchronise(); // the sheet is on the disk before anything else happens
}

void TDocument::OublieJournal()
{
    if (m_journal)
        m_journal->Supprime();
    m_journal.reset();
}

bool TDocument::ProposeRecuperation()
{
    // Most files have no journal: the fingerprint is not waited for.
    if (Journaux(m_sansNom ? std::string() : m_fichier).empty())
        return false;
    const std::vector<Orphelin> orphelins =
        JournauxOrphelins(m_sansNom ? std::string() : m_fichier,
                          m_sansNom ? std::string() : Empreinte(), &m_interlocuteur);
    if (orphelins.empty())
        return false;

    // What the journals give back, on a copy: offered only when it changes something.
    Rejeu rejeu;
    Rejoue(*m_concours, orphelins, rejeu);
    const bool oui = !rejeu.changements.empty() && m_interlocuteur.RecupereNotes(rejeu.notesSeules);
    if (oui) {
        m_concours->Reprend(rejeu.recupere);
        MarqueModifie();
        // Ours now, before the old journals go.
        JournaliseChangements(m_sansNom ? std::string() : rejeu.changements);
    }
    // A journal that held more than could be replayed here stays for another time.
    for (std::size_t i = 0; i < orphelins.size(); ++i)
        if (rejeu.entiers[i]) {
            std::error_code ec;
            fs::remove(orphelins[i].Chemin, ec);
        }
    return oui;
}

} // namespace tavo
