// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery journal: a text file of entries, each ending with a line end.
//   TAVO-JOURNAL 2
//   hote <host name>
//   processus <pid>
//   demarrage <boot id> <start time>     (empty when unknown)
//   origine <fingerprint>                (of the file it started from; empty without a file)
// then, in the order they happened:
//   concours <n>                         n bytes: a copy of the whole competition, a line end
//   identification <n>                   n bytes: the identification as the file writes it
//   juges <n>                            n bytes: the judge count and records
//   pilotes <from> <removed> <added> <n> n bytes: the added pilots' records
//   pilote <n>                           n bytes: the identity of the pilot whose marks follow
//   note <vol> <line> <judge> <mark> <bib>
// Version 1 had the first three header lines, "concours" and "note" only.
#include "model/Journal.h"

#include "model/Concours.h"
#include "model/EcritureTexte.h"
#include "model/Empreinte.h"
#include "model/ErreurSysteme.h"
#include "model/Fichier.h"
#include "model/LecteurTexte.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <map>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define TAVO_POSIX 1
#endif

namespace tavo {

namespace {

constexpr std::string_view SIGNATURE_1 = "TAVO-JOURNAL 1";
constexpr std::string_view SIGNATURE_2 = "TAVO-JOURNAL 2";
constexpr std::string_view EXTENSION = ".journal";
constexpr std::size_t MAX_LIGNE = 4096; // an entry's line; its bytes, if any, follow it
constexpr int MAX_NOMS = 100;

bool prefixe(std::string_view& ligne, std::string_view mot)
{
    if (ligne.substr(0, mot.size()) != mot)
        return false;
    ligne.remove_prefix(mot.size());
    return true;
}

/** Reads a decimal integer and the one space after it. */
template <typename T> bool entier(std::string_view& ligne, T& valeur)
{
    const auto [fin, ec] = std::from_chars(ligne.data(), ligne.data() + ligne.size(), valeur);
    if (ec != std::errc() || fin == ligne.data())
        return false;
    ligne.remove_prefix(static_cast<std::size_t>(fin - ligne.data()));
    if (!ligne.empty() && ligne.front() == ' ')
        ligne.remove_prefix(1);
    return true;
}

bool litNote(std::string_view ligne, NoteJournal& note)
{
    if (!entier(ligne, note.vol) || !entier(ligne, note.ligne) || !entier(ligne, note.juge) ||
        !entier(ligne, note.note))
        return false;
    note.dossard = std::string(ligne);
    return true;
}

/** An entry's line followed by its bytes and a line end. */
void ajouteBloc(std::string& sortie, std::string_view entete, std::string_view octets)
{
    sortie += entete;
    AjouteEntier(sortie, static_cast<long long>(octets.size()));
    sortie += '\n';
    sortie += octets;
    sortie += '\n';
}

#if defined(TAVO_POSIX)

/** A journal read a buffer at a time; lines and blocks never beyond what the file holds. */
class Flux
{
public:
    explicit Flux(int fd, std::uint64_t taille)
        : m_fd(fd)
        , m_reste(taille)
    {}

    /** The next line, without its line end; false at the end or past `MAX_LIGNE`. */
    bool Ligne(std::string& ligne)
    {
        for (;;) {
            const std::size_t fin = m_tampon.find('\n', m_pos);
            if (fin != std::string::npos && fin - m_pos <= MAX_LIGNE) {
                ligne.assign(m_tampon, m_pos, fin - m_pos);
                m_pos = fin + 1;
                return true;
            }
            if (m_tampon.size() - m_pos > MAX_LIGNE || !Remplit())
                return false;
        }
    }

    /** `n` bytes and the line end after them; false when the file holds fewer. */
    bool Bloc(std::uint64_t n, std::string& octets)
    {
        if (n >= Disponibles())
            return false; // a copy cut by a crash, or a size no file here can have
        octets.assign(m_tampon, m_pos, std::min<std::size_t>(n, m_tampon.size() - m_pos));
        m_pos += octets.size();
        octets.reserve(static_cast<std::size_t>(n));
        while (octets.size() < n) {
            if (m_pos == m_tampon.size() && !Remplit())
                return false;
            const std::size_t pris = std::min<std::size_t>(
                static_cast<std::size_t>(n) - octets.size(), m_tampon.size() - m_pos);
            octets.append(m_tampon, m_pos, pris);
            m_pos += pris;
        }
        if (m_pos == m_tampon.size() && !Remplit())
            return false;
        return m_tampon[m_pos++] == '\n';
    }

private:
    std::uint64_t Disponibles() const { return m_tampon.size() - m_pos + m_reste; }

    bool Remplit()
    {
        if (m_reste == 0)
            return false;
        m_tampon.erase(0, m_pos);
        m_pos = 0;
        char morceau[1 << 16];
        ssize_t lu = 0;
        while ((lu = ::read(m_fd, morceau, sizeof morceau)) < 0 && errno == EINTR) {
        }
        if (lu <= 0)
            return false;
        const auto n = std::min<std::uint64_t>(static_cast<std::uint64_t>(lu), m_reste);
        m_tampon.append(morceau, static_cast<std::size_t>(n));
        m_reste -= n;
        return true;
    }

    int m_fd;
    std::uint64_t m_reste;
    std::string m_tampon;
    std::size_t m_pos = 0;
};

/** Opens a journal to read: a regular file, not through a link, never waiting. */
int ouvreLecture(const std::string& chemin, ResultatReprise& resultat)
{
    const int fd =
        ::open(chemin.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat infos = {};
    if (::fstat(fd, &infos) != 0 || !S_ISREG(infos.st_mode)) {
        ::close(fd);
        return -1;
    }
    resultat.taille = static_cast<std::uint64_t>(infos.st_size);
    if (resultat.taille > TailleMaxJournal()) {
        resultat.etat = EtatJournal::TropGrand;
        ::close(fd);
        return -1;
    }
    return fd;
}

bool litEntete(Flux& flux, EnteteJournal& entete)
{
    std::string ligne;
    if (!flux.Ligne(ligne) || (ligne != SIGNATURE_1 && ligne != SIGNATURE_2))
        return false;
    const bool version2 = ligne == SIGNATURE_2;
    std::string_view reste;
    if (!flux.Ligne(ligne) || !prefixe(reste = ligne, "hote "))
        return false;
    entete.hote = std::string(reste);
    if (!flux.Ligne(ligne) || !prefixe(reste = ligne, "processus ") ||
        !entier(reste, entete.processus))
        return false;
    if (!version2)
        return true;
    if (!flux.Ligne(ligne) || !prefixe(reste = ligne, "demarrage"))
        return false;
    entete.demarrage = std::string(reste.substr(reste.empty() ? 0 : 1));
    if (!flux.Ligne(ligne) || !prefixe(reste = ligne, "origine"))
        return false;
    entete.origine = std::string(reste.substr(reste.empty() ? 0 : 1));
    return true;
}

/** The pilots named by the journal, by bib: whose marks follow may only go to them. */
using PilotesNommes = std::map<std::string, std::pair<std::string, std::string>>;

bool rejoueNote(const NoteJournal& note, TConcours& concours, Reprise reprise,
                const PilotesNommes& nommes)
{
    const auto nomme = nommes.find(note.dossard);
    if (reprise == Reprise::NotesSeules && nomme == nommes.end())
        return false;
    for (TPilote& pilote : concours.GetPilotes())
        if (note.dossard == pilote.GetDossard()) {
            if (reprise == Reprise::NotesSeules && (nomme->second.first != pilote.GetNom() ||
                                                    nomme->second.second != pilote.GetPrenom()))
                return false;
            pilote.SetNote(note.vol, note.ligne, note.juge, note.note);
            return true;
        }
    return false;
}

/** Replays one entry; false when the journal ends here (its tail a crash cut, or not ours). */
bool rejoueEntree(Flux& flux, const std::string& ligne, TConcours& concours, Reprise reprise,
                  PilotesNommes& nommes, ResultatReprise& resultat)
{
    std::string_view reste = ligne;
    std::string octets;
    NoteJournal note;
    bool applique = false;
    if (prefixe(reste, "note ")) {
        if (!litNote(reste, note))
            return false;
        applique = rejoueNote(note, concours, reprise, nommes);
    } else if (prefixe(reste, "pilotes ")) {
        std::size_t debut = 0, supprimes = 0, ajoutes = 0;
        std::uint64_t n = 0;
        if (!entier(reste, debut) || !entier(reste, supprimes) || !entier(reste, ajoutes) ||
            !entier(reste, n) || !reste.empty() || !flux.Bloc(n, octets))
            return false;
        applique =
            reprise == Reprise::Tout && concours.RemplacePilotes(debut, supprimes, octets, ajoutes);
    } else {
        std::string_view mot;
        for (std::string_view m : {"concours ", "identification ", "juges ", "pilote "})
            if (prefixe(reste, m)) {
                mot = m;
                break;
            }
        std::uint64_t n = 0;
        if (mot.empty() || !entier(reste, n) || !reste.empty() || !flux.Bloc(n, octets))
            return false;
        if (mot == "pilote ") {
            TPilote pilote;
            LecteurTexte l(octets);
            if (!pilote.GetIdent().Lit(l))
                return false;
            nommes[pilote.GetDossard()] = {pilote.GetNom(), pilote.GetPrenom()};
            return true; // names a pilot; changes nothing
        }
        if (reprise == Reprise::Tout) {
            if (mot == "concours ")
                applique = static_cast<bool>(concours.Lit(octets));
            else if (mot == "identification ")
                applique = concours.LitIdentification(octets);
            else
                applique = concours.LitJuges(octets);
        }
    }
    ++(applique ? resultat.appliquees : resultat.ignorees);
    return true;
}

ResultatReprise lit(const std::string& chemin, TConcours* concours, Reprise reprise)
{
    ResultatReprise resultat;
    const int fd = ouvreLecture(chemin, resultat);
    if (fd < 0)
        return resultat;
    Flux flux(fd, resultat.taille);
    if (litEntete(flux, resultat.entete)) {
        resultat.etat = EtatJournal::Lu;
        PilotesNommes nommes;
        std::string ligne;
        while (concours && flux.Ligne(ligne) &&
               rejoueEntree(flux, ligne, *concours, reprise, nommes, resultat)) {
        }
    }
    ::close(fd);
    return resultat;
}

#else

ResultatReprise lit(const std::string&, TConcours*, Reprise)
{
    return {};
}

#endif

/** The name `nom` (".demo.ccr.4242.journal") with a number: ".demo.ccr.4242-2.journal". */
std::string nomNumero(const std::string& nom, int numero)
{
    if (numero == 1)
        return nom;
    const bool journal = nom.size() >= EXTENSION.size() &&
                         std::string_view(nom).substr(nom.size() - EXTENSION.size()) == EXTENSION;
    const std::size_t fin = journal ? nom.size() - EXTENSION.size() : nom.size();
    return nom.substr(0, fin) + '-' + std::to_string(numero) + nom.substr(fin);
}

void ecritPilotes(std::string& sortie, const TConcours& apres, std::size_t debut,
                  std::size_t supprimes, std::size_t ajoutes)
{
    std::string enregistrements;
    auto it = std::next(apres.GetPilotes().begin(), static_cast<std::ptrdiff_t>(debut));
    for (std::size_t i = 0; i < ajoutes; ++i, ++it)
        it->Ecrit(enregistrements);
    sortie += "pilotes ";
    for (std::size_t nombre : {debut, supprimes, ajoutes}) {
        AjouteEntier(sortie, static_cast<long long>(nombre));
        sortie += ' ';
    }
    ajouteBloc(sortie, "", enregistrements);
}

} // namespace

std::uint64_t TailleMaxJournal()
{
    return TailleMaxConcours();
}

ResultatReprise LitEnteteJournal(const std::string& chemin)
{
    return lit(chemin, nullptr, Reprise::Tout);
}

ResultatReprise RejoueJournal(const std::string& chemin, TConcours& concours, Reprise reprise)
{
    return lit(chemin, &concours, reprise);
}

PhotoConcours Photographie(const TConcours& concours)
{
    PhotoConcours photo;
    concours.EcritIdentification(photo.identification);
    concours.EcritJuges(photo.juges);
    photo.pilotes.reserve(concours.GetPilotes().size());
    for (const TPilote& pilote : concours.GetPilotes())
        photo.pilotes.push_back(pilote.Empreinte());
    return photo;
}

std::string Changements(const PhotoConcours& avant, const TConcours& apres)
{
    std::string sortie;
    const PhotoConcours maintenant = Photographie(apres);
    if (maintenant.identification != avant.identification)
        ajouteBloc(sortie, "identification ", maintenant.identification);
    if (maintenant.juges != avant.juges)
        ajouteBloc(sortie, "juges ", maintenant.juges);

    // What lies between the common start and the common end of the two lists changed.
    const std::vector<std::uint64_t>& a = avant.pilotes;
    const std::vector<std::uint64_t>& b = maintenant.pilotes;
    std::size_t debut = 0;
    while (debut < a.size() && debut < b.size() && a[debut] == b[debut])
        ++debut;
    std::size_t fin = 0;
    while (fin < a.size() - debut && fin < b.size() - debut &&
           a[a.size() - 1 - fin] == b[b.size() - 1 - fin])
        ++fin;
    const std::size_t supprimes = a.size() - debut - fin;
    const std::size_t ajoutes = b.size() - debut - fin;
    if (supprimes != ajoutes) {
        ecritPilotes(sortie, apres, debut, supprimes, ajoutes);
        return sortie;
    }
    // As many as before: only the runs of pilots that differ.
    for (std::size_t i = debut; i < debut + ajoutes;) {
        if (a[i] == b[i]) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < debut + ajoutes && a[j] != b[j])
            ++j;
        ecritPilotes(sortie, apres, i, j - i, j - i);
        i = j;
    }
    return sortie;
}

// ---------------------------------------------------------------------------

TJournal::TJournal(std::string chemin, EnteteJournal entete)
    : m_nom(std::move(chemin))
    , m_chemin(m_nom)
    , m_entete(std::move(entete))
{}

TJournal::~TJournal()
{
    Arrete(true);
#if defined(TAVO_POSIX)
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

bool TJournal::EnEchec() const
{
    const std::lock_guard verrou(m_mutex);
    return !m_raison.empty();
}

std::string TJournal::Raison() const
{
    const std::lock_guard verrou(m_mutex);
    return m_raison;
}

std::uint64_t TJournal::Ecrites() const
{
    const std::lock_guard verrou(m_mutex);
    return m_ecrites;
}

std::uint64_t TJournal::Synchronisees() const
{
    const std::lock_guard verrou(m_mutex);
    return m_synchronisees;
}

void TJournal::Echoue(int erreur)
{
    const std::lock_guard verrou(m_mutex);
    if (m_raison.empty())
        m_raison = RaisonSysteme(erreur != 0 ? erreur : EIO);
}

bool TJournal::Ouvre()
{
#if defined(TAVO_POSIX)
    if (m_fd >= 0 || EnEchec())
        return m_fd >= 0 && !EnEchec();
    for (int numero = 1; numero <= MAX_NOMS; ++numero) {
        const std::string nom = nomNumero(m_nom, numero);
        m_fd = ::open(nom.c_str(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_APPEND | O_CLOEXEC | O_NOCTTY,
                      0600);
        if (m_fd >= 0) {
            m_chemin = nom;
            break;
        }
        if (errno != EEXIST) {
            Echoue(errno);
            return false;
        }
    }
    if (m_fd < 0) {
        Echoue(EEXIST);
        return false;
    }
    std::string entete(SIGNATURE_2);
    entete += "\nhote " + m_entete.hote + "\nprocessus ";
    AjouteEntier(entete, m_entete.processus);
    entete += "\ndemarrage " + m_entete.demarrage + "\norigine " + m_entete.origine + '\n';
    if (!EcritTout(m_fd, entete)) {
        Echoue(errno);
        return false;
    }
    m_fdFil = ::dup(m_fd);
    if (m_fdFil >= 0)
        m_fil = std::thread([this] { Synchroniseur(); });
    return true;
#else
    Echoue(ENOSYS);
    return false;
#endif
}

bool TJournal::Ajoute(std::string_view texte)
{
#if defined(TAVO_POSIX)
    if (!Ouvre())
        return false;
    // A journal with a hole would replay wrongly: after a failed write it takes nothing more.
    if (!EcritTout(m_fd, texte)) {
        Echoue(errno);
        return false;
    }
    {
        const std::lock_guard verrou(m_mutex);
        ++m_ecrites;
    }
    m_reveil.notify_one();
    return true;
#else
    (void)texte;
    return Ouvre();
#endif
}

void TJournal::Synchroniseur()
{
#if defined(TAVO_POSIX)
    std::unique_lock verrou(m_mutex);
    const auto enAttente = [this] { return m_ecrites > m_synchronisees && m_raison.empty(); };
    for (;;) {
        m_reveil.wait(verrou, [&] { return m_arret || enAttente(); });
        // Marks typed in a row wait for one another, then go to the disk together.
        if (!m_arret)
            m_reveil.wait_for(verrou, std::chrono::milliseconds(DELAI_SYNCHRONISATION_MS),
                              [this] { return m_arret; });
        if (!enAttente()) {
            if (m_arret)
                return;
            continue;
        }
        const std::uint64_t cible = m_ecrites;
        verrou.unlock();
        const bool ok = ::fdatasync(m_fdFil) == 0;
        const int erreur = errno;
        verrou.lock();
        if (ok)
            m_synchronisees = std::max(m_synchronisees, cible);
        else if (m_raison.empty())
            m_raison = RaisonSysteme(erreur);
        if (m_arret)
            return;
    }
#endif
}

void TJournal::Arrete(bool synchronise)
{
    if (!m_fil.joinable())
        return;
    {
        const std::lock_guard verrou(m_mutex);
        m_arret = true;
        if (!synchronise)
            m_synchronisees = m_ecrites; // nothing left to flush: the file goes
    }
    m_reveil.notify_one();
    m_fil.join();
#if defined(TAVO_POSIX)
    ::close(m_fdFil);
#endif
    m_fdFil = -1;
    m_arret = false;
}

bool TJournal::AjouteConcours(std::string_view texte)
{
    std::string entree;
    ajouteBloc(entree, "concours ", texte);
    m_dernierPilote.clear();
    const bool ok = Ajoute(entree);
    Synchronise();
    return ok;
}

bool TJournal::AjouteChangements(std::string_view entrees)
{
    if (entrees.empty())
        return !EnEchec();
    m_dernierPilote.clear(); // a change may have renamed the pilot of the next marks
    const bool ok = Ajoute(entrees);
    Synchronise();
    return ok;
}

bool TJournal::AjouteNote(const NoteJournal& note, const TPilote& pilote)
{
    std::string entree;
    std::string identite;
    pilote.GetIdent().Ecrit(identite);
    if (identite != m_dernierPilote) {
        ajouteBloc(entree, "pilote ", identite);
        m_dernierPilote = identite;
    }
    entree += "note ";
    for (short valeur : {note.vol, note.ligne, note.juge, note.note}) {
        AjouteEntier(entree, valeur);
        entree += ' ';
    }
    // A bib is one line of the competition file; the journal keeps it on one line too.
    for (char c : note.dossard)
        entree += (c == '\n' || c == '\r') ? ' ' : c;
    entree += '\n';
    if (Ajoute(entree))
        return true;
    m_dernierPilote.clear();
    return false;
}

void TJournal::Synchronise()
{
#if defined(TAVO_POSIX)
    if (m_fd < 0 || EnEchec())
        return;
    const std::uint64_t cible = Ecrites();
    if (::fdatasync(m_fd) != 0) {
        Echoue(errno);
        return;
    }
    const std::lock_guard verrou(m_mutex);
    m_synchronisees = std::max(m_synchronisees, cible);
#endif
}

void TJournal::Supprime()
{
    Arrete(false);
#if defined(TAVO_POSIX)
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_chemin.c_str()); // the file this journal made, never one it found
    }
#endif
    m_fd = -1;
    m_chemin = m_nom;
    m_dernierPilote.clear();
    const std::lock_guard verrou(m_mutex);
    m_raison.clear();
    m_ecrites = m_synchronisees = 0;
}

} // namespace tavo
