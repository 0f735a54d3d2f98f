// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a file without ever losing the previous one.
#include "model/ErreurSysteme.h"
#include "model/Fichier.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#define TAVO_POSIX 1
#endif

namespace fs = std::filesystem;

namespace tavo {

namespace {

void decrit(std::string* erreur, const std::string& quoi)
{
    if (erreur)
        *erreur = quoi;
}

// How much of an existing page's start and end is shown to `GardePages::reconnait`.
constexpr std::size_t OCTETS_RECONNUS = 512;

#if defined(TAVO_POSIX)

// Temporary files are named after their target and their writer's process:
// "<name>.tavo-<pid>.tmp" beside the target (for instance
// "concours.ccr.tavo-4242.tmp"), the name cut so that the whole fits in 255
// bytes. One left by a writer that is gone (killed mid-save) is removed at the
// next save of the same target.
constexpr std::string_view MARQUE = ".tavo-";
constexpr std::string_view SUFFIXE = ".tmp";
constexpr std::size_t MAX_NOM = 255;
constexpr std::size_t MAX_CHIFFRES_PID = 10;
constexpr int MAX_LIENS = 40; // links followed in a chain, as the system does
constexpr const char* LECTURE_SEULE = "Le fichier est protégé en écriture (lecture seule)";
constexpr const char* PAS_UN_FICHIER = "Ce n'est pas un fichier ordinaire";

std::string prefixeTemporaire(const fs::path& cible)
{
    std::string nom = cible.filename().string();
    nom.resize(std::min(nom.size(), MAX_NOM - MARQUE.size() - MAX_CHIFFRES_PID - SUFFIXE.size()));
    return nom.append(MARQUE);
}

std::string nomTemporaire(const std::string& cible)
{
    const fs::path p(cible);
    std::string nom = prefixeTemporaire(p) + std::to_string(::getpid());
    return (p.parent_path() / nom.append(SUFFIXE)).string();
}

// The writer of the temporary file `nom` of a target, 0 when `nom` is not one.
pid_t auteurTemporaire(std::string_view nom, std::string_view prefixe)
{
    if (!nom.starts_with(prefixe) || !nom.ends_with(SUFFIXE))
        return 0;
    const std::string_view chiffres = nom.substr(
        prefixe.size(), nom.size() - std::min(nom.size(), prefixe.size() + SUFFIXE.size()));
    long long pid = 0;
    const char* fin = chiffres.data() + chiffres.size();
    const auto [ptr, ec] = std::from_chars(chiffres.data(), fin, pid);
    if (ec != std::errc{} || ptr != fin || chiffres.size() > MAX_CHIFFRES_PID || pid <= 0 ||
        pid > INT_MAX)
        return 0;
    return static_cast<pid_t>(pid);
}

// Our own process counts as gone: it writes one file at a time, so a file
// bearing its number was left by an earlier process that had the same number.
bool auteurDisparu(pid_t pid)
{
    return pid == ::getpid() || (::kill(pid, 0) != 0 && errno == ESRCH);
}

fs::path dossierDe(const std::string& cible)
{
    const fs::path p(cible);
    return p.parent_path().empty() ? fs::path(".") : p.parent_path();
}

// A file by its device and inode, and the name it was given by.
struct Identite
{
    dev_t dev = 0;
    ino_t ino = 0;
    std::string chemin;

    bool De(const struct stat& infos) const { return infos.st_dev == dev && infos.st_ino == ino; }
};

// The files of `chemins` that exist now (through their links).
std::vector<Identite> identites(const std::vector<std::string>& chemins)
{
    std::vector<Identite> trouvees;
    for (const std::string& chemin : chemins) {
        struct stat infos = {};
        if (!chemin.empty() && ::stat(chemin.c_str(), &infos) == 0)
            trouvees.push_back({infos.st_dev, infos.st_ino, chemin});
    }
    return trouvees;
}

const Identite* parmi(const std::vector<Identite>& fichiers, const struct stat& infos)
{
    for (const Identite& fichier : fichiers)
        if (fichier.De(infos))
            return &fichier;
    return nullptr;
}

// Removes the temporary files left in `dossier` by gone writers of the targets whose
// prefixes are given: one pass over the directory for any number of targets. A name that is
// one of the `gardes` files is left.
// Calls visite(prefix, path) for every temporary file in `dossier` whose writer is gone.
template <typename Visite> void restesDe(const fs::path& dossier, Visite visite)
{
    std::error_code ec;
    for (fs::directory_iterator it(dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
        const std::string nom = it->path().filename().string();
        const auto marque = nom.rfind(MARQUE);
        if (marque == std::string::npos)
            continue;
        const std::string prefixe = nom.substr(0, marque + MARQUE.size());
        const pid_t auteur = auteurTemporaire(nom, prefixe);
        if (auteur > 0 && auteurDisparu(auteur))
            visite(prefixe, it->path().string());
    }
}

void nettoieTemporaires(const fs::path& dossier, const std::set<std::string>& prefixes,
                        const std::vector<Identite>& gardes = {})
{
    restesDe(dossier, [&](const std::string& prefixe, const std::string& chemin) {
        if (!prefixes.contains(prefixe))
            return;
        struct stat infos = {};
        if (gardes.empty() || ::lstat(chemin.c_str(), &infos) != 0 || !parmi(gardes, infos))
            ::unlink(chemin.c_str());
    });
}

void nettoieTemporaires(const std::string& cible)
{
    nettoieTemporaires(dossierDe(cible), {prefixeTemporaire(fs::path(cible))});
}

// The file a save writes: the end of the chain of symbolic links starting at
// `chemin` (which may not exist yet). Returns 0 or the system's error.
int resoutLiens(const std::string& chemin, std::string& cible)
{
    cible = chemin;
    for (int saut = 0; saut < MAX_LIENS; ++saut) {
        struct stat infos = {};
        if (::lstat(cible.c_str(), &infos) != 0 || !S_ISLNK(infos.st_mode))
            return 0;
        std::error_code ec;
        const fs::path lien = fs::read_symlink(cible, ec);
        if (ec)
            return ec.value();
        cible =
            lien.is_absolute() ? lien.string() : (fs::path(cible).parent_path() / lien).string();
    }
    return ELOOP;
}

// Refuses what an open for writing would refuse, and a read-only file even to
// the administrator. Empty when the target may be written.
std::string refus(const std::string& cible, const struct stat& ancien)
{
    if (S_ISDIR(ancien.st_mode))
        return RaisonSysteme(EISDIR);
    if (!S_ISREG(ancien.st_mode))
        return PAS_UN_FICHIER;
    if ((ancien.st_mode & 0222) == 0)
        return LECTURE_SEULE;
    if (::access(cible.c_str(), W_OK) != 0)
        return errno == EACCES ? std::string(LECTURE_SEULE) : RaisonSysteme(errno);
    return {};
}

// Reserves the room for `taille` bytes before anything is written: when the
// disk is full, the file is then left as it was.
int reserve(int fd, std::size_t taille)
{
    struct stat infos = {};
    if (::fstat(fd, &infos) != 0)
        return errno;
    if (!S_ISREG(infos.st_mode))
        return EINVAL;
    if (taille == 0)
        return 0;
    const int cause = ::posix_fallocate(fd, 0, static_cast<off_t>(taille));
    if (cause == 0 || cause == EINVAL || cause == EOPNOTSUPP)
        return 0; // a file system that cannot reserve: written as it comes
    // Drops a partial reservation past the old end; failing that, the file only stays longer.
    const int tronque = ::ftruncate(fd, infos.st_size);
    (void)tronque;
    return cause;
}

// Rewrites the file itself, for a file that the rename would split from its
// other names or take from its owner. Returns 0 or the system's error.
int ecritSurPlace(const std::string& cible, std::string_view contenu)
{
    const int fd = ::open(cible.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno;
    int cause = reserve(fd, contenu.size());
    if (cause == 0 && !EcritTout(fd, contenu))
        cause = errno;
    if (cause == 0 && ::ftruncate(fd, static_cast<off_t>(contenu.size())) != 0)
        cause = errno;
    if (cause == 0 && ::fsync(fd) != 0)
        cause = errno;
    if (::close(fd) != 0 && cause == 0)
        cause = errno;
    return cause;
}

// Permissions for the new file: those of the file it replaces, else the usual 0666 & ~umask.
void reprendDroits(int fd, const struct stat* ancien)
{
    if (ancien) {
        ::fchmod(fd, ancien->st_mode & 07777);
    } else {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        ::fchmod(fd, 0666 & ~masque);
    }
}

void synchroniseRepertoire(const fs::path& dossier)
{
    const int fd = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes the temporary file of a target, flushed to disk when `synchronise`, and closes it;
// empties `temporaire` when it wrote the target in place instead (its owner could not be
// kept). Returns 0 or the system's error, the temporary file then removed.
int ecritTemporaire(const std::string& cible, std::string_view contenu, const struct stat* ancien,
                    bool synchronise, std::string& temporaire)
{
    temporaire = nomTemporaire(cible);
    const int fd =
        ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0)
        return errno;
    if (ancien && ::fchown(fd, ancien->st_uid, ancien->st_gid) != 0) {
        ::close(fd);
        ::unlink(temporaire.c_str());
        temporaire.clear();
        return ecritSurPlace(cible, contenu);
    }
    reprendDroits(fd, ancien); // after the change of owner, which clears set-id bits
    int cause = EcritTout(fd, contenu) && (!synchronise || ::fsync(fd) == 0) ? 0 : errno;
    if (::close(fd) != 0 && cause == 0)
        cause = errno;
    if (cause != 0)
        ::unlink(temporaire.c_str());
    return cause;
}

// Writes a temporary file, flushed to disk, then renames it over the target.
// When the temporary file cannot take the old file's owner, writes in place.
int remplace(const std::string& cible, std::string_view contenu, const struct stat* ancien)
{
    std::string temporaire;
    int cause = ecritTemporaire(cible, contenu, ancien, true, temporaire);
    if (cause != 0 || temporaire.empty())
        return cause;
    if (::rename(temporaire.c_str(), cible.c_str()) != 0) {
        cause = errno;
        ::unlink(temporaire.c_str());
    } else
        synchroniseRepertoire(dossierDe(cible));
    return cause;
}

// The file a save of `chemin` writes and its current state; the reason it may not be written.
std::string examine(const std::string& chemin, std::string& cible, struct stat& ancien,
                    bool& existe)
{
    if (const int cause = resoutLiens(chemin, cible))
        return RaisonSysteme(cause);
    existe = ::stat(cible.c_str(), &ancien) == 0;
    return existe ? refus(cible, ancien) : std::string();
}

bool ecrit(const std::string& chemin, std::string_view contenu, std::string* erreur)
{
    std::string cible;
    struct stat ancien = {};
    bool existe = false;
    if (const std::string raison = examine(chemin, cible, ancien, existe); !raison.empty()) {
        decrit(erreur, raison);
        return false;
    }
    nettoieTemporaires(cible);
    const int cause = existe && ancien.st_nlink > 1
                          ? ecritSurPlace(cible, contenu)
                          : remplace(cible, contenu, existe ? &ancien : nullptr);
    if (cause != 0)
        decrit(erreur, RaisonSysteme(cause));
    return cause == 0;
}

// The temporary files of a group: those not renamed are removed at the end.
struct Groupe
{
    std::vector<std::pair<std::string, std::string>> temporaires; ///< (temporary, target)
    std::set<std::string> dossiers;
    std::size_t renommes = 0;

    ~Groupe()
    {
        for (std::size_t i = renommes; i < temporaires.size(); ++i)
            ::unlink(temporaires[i].first.c_str());
    }

    // One flush per file system for the whole group where the system offers it, else one
    // per file.
    int Synchronise() const
    {
        bool fait = false;
#if defined(__linux__)
        fait = true;
        for (const std::string& dossier : dossiers) {
            const int fd = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            fait = fait && fd >= 0 && ::syncfs(fd) == 0;
            if (fd >= 0)
                ::close(fd);
        }
#endif
        for (std::size_t i = 0; !fait && i < temporaires.size(); ++i) {
            const int fd = ::open(temporaires[i].first.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            const int cause = fd < 0 || ::fsync(fd) != 0 ? errno : 0;
            if (fd >= 0)
                ::close(fd);
            if (cause != 0)
                return cause;
        }
        return 0;
    }
};

// Checks and writes the temporary file of one file of a group (or the file itself, in place,
// when it has other names or an owner it would lose). Returns why it failed, or "".
std::string prepareFichier(const FichierAEcrire& fichier, Groupe& groupe, int& ecrits)
{
    std::string cible;
    struct stat ancien = {};
    bool existe = false;
    if (std::string raison = examine(fichier.chemin, cible, ancien, existe); !raison.empty())
        return raison;
    std::string temporaire;
    const int cause = existe && ancien.st_nlink > 1
                          ? ecritSurPlace(cible, fichier.contenu)
                          : ecritTemporaire(cible, fichier.contenu, existe ? &ancien : nullptr,
                                            false, temporaire);
    if (cause != 0)
        return RaisonSysteme(cause);
    if (temporaire.empty())
        ++ecrits;
    else {
        groupe.dossiers.insert(dossierDe(cible).string());
        groupe.temporaires.emplace_back(std::move(temporaire), std::move(cible));
    }
    return {};
}

int ecritGroupe(const std::vector<FichierAEcrire>& fichiers, std::string* erreur)
{
    std::map<std::string, std::set<std::string>> prefixes;
    for (const FichierAEcrire& fichier : fichiers)
        prefixes[dossierDe(fichier.chemin).string()].insert(
            prefixeTemporaire(fs::path(fichier.chemin)));
    for (const auto& [dossier, noms] : prefixes)
        nettoieTemporaires(dossier, noms);
    Groupe groupe;
    int ecrits = 0;
    for (const FichierAEcrire& fichier : fichiers)
        if (const std::string raison = prepareFichier(fichier, groupe, ecrits); !raison.empty()) {
            decrit(erreur, fichier.chemin + " : " + raison);
            return ecrits;
        }
    if (const int cause = groupe.Synchronise()) {
        decrit(erreur, RaisonSysteme(cause));
        return ecrits;
    }
    for (auto& [temporaire, cible] : groupe.temporaires) {
        if (::rename(temporaire.c_str(), cible.c_str()) != 0) {
            decrit(erreur, cible + " : " + RaisonSysteme(errno));
            break;
        }
        ++groupe.renommes;
        ++ecrits;
    }
    for (const std::string& dossier : groupe.dossiers)
        synchroniseRepertoire(dossier);
    return ecrits;
}

// The generated pages: never through a link, never in place, never a protected file.

std::string nomPage(const std::string& chemin)
{
    return "« " + fs::path(chemin).filename().string() + " »";
}

std::string pasUnePage(const std::string& chemin, const char* genre = nullptr)
{
    return nomPage(chemin) + " n'est pas une page écrite par Tavo 2000" +
           (genre ? std::string(" (") + genre + ")" : std::string()) + " : il n'est pas remplacé.";
}

std::string impossible(const std::string& chemin, const std::string& raison)
{
    return "Impossible d'écrire le fichier " + chemin + " : " + raison;
}

// Up to `taille` bytes of `fd` from `debut`; "" when it cannot be read.
std::string litBloc(int fd, off_t debut, std::size_t taille)
{
    std::string octets(taille, '\0');
    std::size_t lus = 0;
    while (lus < taille) {
        const ssize_t n =
            ::pread(fd, octets.data() + lus, taille - lus, debut + static_cast<off_t>(lus));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        lus += static_cast<std::size_t>(n);
    }
    octets.resize(lus);
    return octets;
}

// What is at a page's name: nothing (`existe` false), or a regular file that may be
// replaced, its state in `infos`. Otherwise the sentence that refuses it.
std::string examinePage(const std::string& chemin, const GardePages& garde,
                        const std::vector<Identite>& proteges, struct stat& infos, bool& existe)
{
    existe = ::lstat(chemin.c_str(), &infos) == 0;
    if (!existe)
        return errno == ENOENT ? std::string() : impossible(chemin, RaisonSysteme(errno));
    if (S_ISLNK(infos.st_mode))
        return pasUnePage(chemin, "lien symbolique");
    if (S_ISDIR(infos.st_mode))
        return pasUnePage(chemin, "répertoire");
    if (!S_ISREG(infos.st_mode))
        return pasUnePage(chemin, "pas un fichier ordinaire");
    const int fd =
        ::open(chemin.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno == ELOOP ? pasUnePage(chemin, "lien symbolique")
                              : impossible(chemin, RaisonSysteme(errno));
    std::string raison;
    if (::fstat(fd, &infos) != 0)
        raison = impossible(chemin, RaisonSysteme(errno));
    else if (!S_ISREG(infos.st_mode))
        raison = pasUnePage(chemin, "pas un fichier ordinaire");
    else if (const Identite* protege = parmi(proteges, infos))
        raison = nomPage(chemin) + " est le fichier « " + protege->chemin +
                 " » sous un autre nom : il n'est pas remplacé.";
    else if (const std::string refuse = refus(chemin, infos); !refuse.empty())
        raison = impossible(chemin, refuse);
    else if (garde.reconnait) {
        const auto taille = static_cast<std::size_t>(infos.st_size);
        const std::size_t bloc = std::min(taille, OCTETS_RECONNUS);
        const std::string debut = litBloc(fd, 0, bloc);
        const std::string fin = litBloc(fd, static_cast<off_t>(taille - bloc), bloc);
        if (!garde.reconnait(debut, fin))
            raison = pasUnePage(chemin);
    }
    ::close(fd);
    return raison;
}

bool memeEntree(const struct stat& a, bool existeA, const struct stat& b, bool existeB)
{
    return existeA == existeB && (!existeA || (a.st_dev == b.st_dev && a.st_ino == b.st_ino));
}

// A page and its temporary file, from the first check to the rename.
struct PageAEcrire
{
    std::string chemin;
    struct stat ancien = {};
    bool existe = false;
    struct stat ecrit = {}; ///< the temporary file as written
};

// Writes the temporary file of a page: always a new file, never through a link, and never
// the page in place (an owner it cannot give is the writer's own). Returns 0 or the error.
int ecritTemporairePage(PageAEcrire& page, std::string_view contenu, std::string& temporaire)
{
    temporaire = nomTemporaire(page.chemin);
    const int fd = ::open(temporaire.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0)
        return errno;
    const struct stat* ancien = page.existe ? &page.ancien : nullptr;
    const bool proprietaire = ancien && ::fchown(fd, ancien->st_uid, ancien->st_gid) == 0;
    if (ancien && !proprietaire) {
        struct stat droits = *ancien;
        droits.st_mode &= 0777; // no set-id bits on a file of another owner
        reprendDroits(fd, &droits);
    } else
        reprendDroits(fd, ancien);
    int cause = EcritTout(fd, contenu) && ::fstat(fd, &page.ecrit) == 0 ? 0 : errno;
#if defined(__linux__)
    // Its way to the disk starts now, while the next pages are made; the group's one flush
    // still waits for all of them.
    if (cause == 0)
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    if (::close(fd) != 0 && cause == 0)
        cause = errno;
    if (cause != 0)
        ::unlink(temporaire.c_str());
    return cause;
}

// Whether the temporary file at its name is still the one written.
bool temporaireIntact(const std::string& temporaire, const struct stat& ecrit)
{
    struct stat infos = {};
    return ::lstat(temporaire.c_str(), &infos) == 0 && S_ISREG(infos.st_mode) &&
           infos.st_dev == ecrit.st_dev && infos.st_ino == ecrit.st_ino;
}

std::string change(const std::string& chemin)
{
    return nomPage(chemin) + " a été changé pendant la publication : il n'est pas remplacé.";
}

// Just before the renames: every name is still what was checked, or checked again, and none
// is a protected file as the protected files are now.
std::string reverifie(std::vector<PageAEcrire>& pages, const Groupe& groupe,
                      const GardePages& garde)
{
    const std::vector<Identite> proteges = identites(garde.proteges);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        PageAEcrire& page = pages[i];
        const std::string& chemin = page.chemin;
        struct stat infos = {};
        const bool existe = ::lstat(chemin.c_str(), &infos) == 0;
        if (!memeEntree(infos, existe, page.ancien, page.existe) ||
            (existe && parmi(proteges, infos))) {
            if (std::string raison = examinePage(chemin, garde, proteges, page.ancien, page.existe);
                !raison.empty())
                return raison;
        }
        if (!temporaireIntact(groupe.temporaires[i].first, page.ecrit))
            return change(groupe.temporaires[i].first);
    }
    return {};
}

// Flushes the temporary files of checked pages once, checks every name again, then renames
// them; the number renamed.
int finitPages(std::vector<PageAEcrire>& pages, Groupe& groupe, const GardePages& garde,
               std::string* erreur)
{
    if (const int cause = groupe.Synchronise()) {
        decrit(erreur, "Impossible d'écrire les pages : " + RaisonSysteme(cause));
        return 0;
    }
    if (const std::string raison = reverifie(pages, groupe, garde); !raison.empty()) {
        decrit(erreur, raison);
        return 0;
    }
    int ecrits = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const auto& [temporaire, cible] = groupe.temporaires[i];
        struct stat infos = {};
        const bool existe = ::lstat(cible.c_str(), &infos) == 0;
        if (!memeEntree(infos, existe, pages[i].ancien, pages[i].existe) ||
            !temporaireIntact(temporaire, pages[i].ecrit)) {
            decrit(erreur, change(cible));
            break;
        }
        if (::rename(temporaire.c_str(), cible.c_str()) != 0) {
            decrit(erreur, impossible(cible, RaisonSysteme(errno)));
            break;
        }
        ++groupe.renommes;
        ++ecrits;
    }
    for (const std::string& dossier : groupe.dossiers)
        synchroniseRepertoire(dossier);
    return ecrits;
}

// Writes the temporary file of a checked page; the sentence that says why it failed, or "".
std::string ajoutePage(PageAEcrire& page, std::string_view contenu, Groupe& groupe)
{
    std::string temporaire;
    if (const int cause = ecritTemporairePage(page, contenu, temporaire))
        return impossible(page.chemin, RaisonSysteme(cause));
    groupe.dossiers.insert(dossierDe(page.chemin).string());
    groupe.temporaires.emplace_back(std::move(temporaire), page.chemin);
    return {};
}

int ecritPages(const std::vector<FichierAEcrire>& fichiers, const GardePages& garde,
               std::string* erreur)
{
    const std::vector<Identite> proteges = identites(garde.proteges);
    // Every name is checked before anything in the folder changes.
    std::vector<PageAEcrire> pages(fichiers.size());
    for (std::size_t i = 0; i < fichiers.size(); ++i) {
        pages[i].chemin = fichiers[i].chemin;
        if (const std::string raison =
                examinePage(fichiers[i].chemin, garde, proteges, pages[i].ancien, pages[i].existe);
            !raison.empty()) {
            decrit(erreur, raison);
            return 0;
        }
    }
    std::map<std::string, std::set<std::string>> prefixes;
    for (const FichierAEcrire& fichier : fichiers)
        prefixes[dossierDe(fichier.chemin).string()].insert(
            prefixeTemporaire(fs::path(fichier.chemin)));
    for (const auto& [dossier, noms] : prefixes)
        nettoieTemporaires(dossier, noms, proteges);
    Groupe groupe;
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (const std::string raison = ajoutePage(pages[i], fichiers[i].contenu, groupe);
            !raison.empty()) {
            decrit(erreur, raison);
            return 0;
        }
    return finitPages(pages, groupe, garde, erreur);
}

} // namespace

struct TPagesSures::Etat
{
    GardePages garde;
    std::vector<Identite> proteges;
    std::vector<PageAEcrire> pages;
    Groupe groupe;
    std::set<std::string> dossiersVus;
    /** Temporary files left by gone writers, by folder and prefix, removed at their page. */
    std::map<std::string, std::multimap<std::string, std::string>> restes;
    std::string erreur;
    bool echec = false;
    bool fini = false;

    // The temporary files are written by a thread of their own while the next pages are made;
    // what waits for it is bounded (one page, or a few small ones).
    static constexpr std::size_t OCTETS_EN_ATTENTE = std::size_t{8} << 20;
    struct Ecriture
    {
        PageAEcrire page;
        std::string contenu;
    };
    std::mutex mutex;
    std::condition_variable signal;
    std::deque<Ecriture> file;
    std::string libre; ///< a written page's text, whose room serves again
    std::size_t octetsEnFile = 0;
    bool arret = false;
    std::thread ecrivain;
    bool sansEcrivain = false;

    ~Etat() { Arrete(); }

    // One pass over a folder the first time a page goes into it: the leftovers of gone writers.
    void Releve(const std::string& dossier)
    {
        if (!dossiersVus.insert(dossier).second)
            return;
        std::multimap<std::string, std::string>& trouves = restes[dossier];
        restesDe(dossier, [&](const std::string& prefixe, const std::string& chemin) {
            trouves.emplace(prefixe, chemin);
        });
    }

    void Nettoie(const std::string& dossier, const std::string& prefixe)
    {
        std::multimap<std::string, std::string>& trouves = restes[dossier];
        const auto [debut, fin] = trouves.equal_range(prefixe);
        for (auto it = debut; it != fin; ++it) {
            struct stat infos = {};
            if (proteges.empty() || ::lstat(it->second.c_str(), &infos) != 0 ||
                !parmi(proteges, infos))
                ::unlink(it->second.c_str());
        }
        trouves.erase(debut, fin);
    }

    bool EnEchec()
    {
        std::lock_guard verrou(mutex);
        return echec;
    }

    // Writes a checked page's temporary file, here or by the writer; false after a failure.
    bool Ecrit(PageAEcrire page, std::string_view contenu)
    {
        if (!sansEcrivain && !ecrivain.joinable()) {
            try {
                ecrivain = std::thread([this] { Travaille(); });
            } catch (const std::system_error&) {
                sansEcrivain = true;
            }
        }
        if (sansEcrivain)
            return EcritTemporaire(page, contenu);
        std::unique_lock verrou(mutex);
        signal.wait(verrou, [&] {
            return echec || file.empty() || octetsEnFile + contenu.size() <= OCTETS_EN_ATTENTE;
        });
        if (echec)
            return false;
        octetsEnFile += contenu.size();
        std::string texte = std::move(libre);
        texte.assign(contenu);
        file.push_back({std::move(page), std::move(texte)});
        signal.notify_all();
        return true;
    }

    bool EcritTemporaire(PageAEcrire& page, std::string_view contenu)
    {
        std::string raison = ajoutePage(page, contenu, groupe);
        std::lock_guard verrou(mutex);
        if (!raison.empty())
            return Echoue(std::move(raison));
        pages.push_back(std::move(page));
        return true;
    }

    // The first failure is the one told; nothing waiting is written any more.
    bool Echoue(std::string raison)
    {
        if (!echec)
            erreur = std::move(raison);
        echec = true;
        file.clear();
        octetsEnFile = 0;
        signal.notify_all();
        return false;
    }

    void Travaille()
    {
        std::unique_lock verrou(mutex);
        for (;;) {
            signal.wait(verrou, [this] { return arret || !file.empty(); });
            if (file.empty())
                return;
            Ecriture ecriture = std::move(file.front());
            file.pop_front();
            octetsEnFile -= ecriture.contenu.size();
            signal.notify_all();
            verrou.unlock();
            EcritTemporaire(ecriture.page, ecriture.contenu);
            verrou.lock();
            if (ecriture.contenu.capacity() > libre.capacity())
                libre = std::move(ecriture.contenu);
            signal.notify_all();
        }
    }

    // Every page handed over is written (or the writing failed); the writer is gone.
    void Arrete()
    {
        if (!ecrivain.joinable())
            return;
        {
            std::lock_guard verrou(mutex);
            arret = true;
        }
        signal.notify_all();
        ecrivain.join();
    }
};

TPagesSures::TPagesSures(GardePages garde)
    : m_etat(std::make_unique<Etat>())
{
    m_etat->garde = std::move(garde);
    m_etat->proteges = identites(m_etat->garde.proteges);
}

TPagesSures::~TPagesSures() = default;

bool TPagesSures::Ajoute(const std::string& chemin, std::string_view contenu)
{
    Etat& e = *m_etat;
    if (e.fini || e.EnEchec())
        return false;
    PageAEcrire page;
    page.chemin = chemin;
    std::string raison = examinePage(chemin, e.garde, e.proteges, page.ancien, page.existe);
    if (raison.empty()) {
        const std::string dossier = dossierDe(chemin).string();
        e.Releve(dossier);
        e.Nettoie(dossier, prefixeTemporaire(fs::path(chemin)));
        return e.Ecrit(std::move(page), contenu);
    }
    std::lock_guard verrou(e.mutex);
    return e.Echoue(std::move(raison));
}

int TPagesSures::Termine()
{
    Etat& e = *m_etat;
    e.Arrete();
    if (e.echec || e.fini)
        return 0;
    e.fini = true;
    return finitPages(e.pages, e.groupe, e.garde, &e.erreur);
}

const std::string& TPagesSures::Erreur() const
{
    return m_etat->erreur;
}

namespace {

#else

bool ecrit(const std::string& chemin, std::string_view contenu, std::string* erreur)
{
    std::error_code ec;
    if (fs::is_directory(chemin, ec)) {
        decrit(erreur, RaisonSysteme(EISDIR));
        return false;
    }
    const std::string temporaire = chemin + ".tmp";
    std::FILE* f = std::fopen(temporaire.c_str(), "wb");
    if (!f) {
        decrit(erreur, RaisonSysteme(errno));
        return false;
    }
    bool ok = std::fwrite(contenu.data(), 1, contenu.size(), f) == contenu.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    if (ok) {
        fs::rename(temporaire, chemin, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(temporaire, ec);
        decrit(erreur, "écriture impossible");
    }
    return ok;
}

int ecritGroupe(const std::vector<FichierAEcrire>& fichiers, std::string* erreur)
{
    int ecrits = 0;
    std::string raison;
    while (ecrits < static_cast<int>(fichiers.size()) &&
           ecrit(fichiers[ecrits].chemin, fichiers[ecrits].contenu, &raison))
        ++ecrits;
    if (ecrits < static_cast<int>(fichiers.size()))
        decrit(erreur, fichiers[ecrits].chemin + " : " + raison);
    return ecrits;
}

int ecritPages(const std::vector<FichierAEcrire>& fichiers, const GardePages& garde,
               std::string* erreur)
{
    for (const FichierAEcrire& fichier : fichiers) {
        std::error_code ec;
        const fs::file_status etat = fs::symlink_status(fichier.chemin, ec);
        if (!fs::exists(etat))
            continue;
        std::string raison;
        if (!fs::is_regular_file(etat))
            raison = "n'est pas un fichier ordinaire";
        for (const std::string& protege : garde.proteges)
            if (raison.empty() && fs::equivalent(fichier.chemin, protege, ec))
                raison = "est le fichier « " + protege + " » sous un autre nom";
        std::string contenu;
        if (raison.empty() && garde.reconnait &&
            (!LitFichier(fichier.chemin, contenu) ||
             !garde.reconnait(std::string_view(contenu).substr(0, OCTETS_RECONNUS),
                              std::string_view(contenu).substr(
                                  contenu.size() - std::min(contenu.size(), OCTETS_RECONNUS)))))
            raison = "n'est pas une page écrite par Tavo 2000";
        if (!raison.empty()) {
            decrit(erreur, "« " + fs::path(fichier.chemin).filename().string() + " » " + raison +
                               " : il n'est pas remplacé.");
            return 0;
        }
    }
    return ecritGroupe(fichiers, erreur);
}

} // namespace

// Without the POSIX calls the pages are kept until the end, then written as a group.
struct TPagesSures::Etat
{
    GardePages garde;
    std::vector<FichierAEcrire> pages;
    std::string erreur;
    bool fini = false;
};

TPagesSures::TPagesSures(GardePages garde)
    : m_etat(std::make_unique<Etat>())
{
    m_etat->garde = std::move(garde);
}

TPagesSures::~TPagesSures() = default;

bool TPagesSures::Ajoute(const std::string& chemin, std::string_view contenu)
{
    if (m_etat->fini)
        return false;
    m_etat->pages.push_back({chemin, std::string(contenu)});
    return true;
}

int TPagesSures::Termine()
{
    if (m_etat->fini)
        return 0;
    m_etat->fini = true;
    return ecritPages(m_etat->pages, m_etat->garde, &m_etat->erreur);
}

const std::string& TPagesSures::Erreur() const
{
    return m_etat->erreur;
}

namespace {

#endif

// Not a file that can be replaced: a device or a pipe, or a name under /dev or /proc, which
// stands for an open descriptor even when that descriptor is a file.
bool estPeripherique(const std::string& chemin)
{
    std::error_code e;
    const fs::file_status etat = fs::status(chemin, e);
    if (fs::exists(etat) && !fs::is_regular_file(etat) && !fs::is_directory(etat))
        return true;
#if defined(TAVO_POSIX)
    const std::string absolu = fs::absolute(chemin, e).lexically_normal().generic_string();
    return absolu.starts_with("/dev/") || absolu.starts_with("/proc/");
#else
    return false;
#endif
}

// Writes into what is there, every write checked; never creates: a missing device is an
// error, not a new file.
bool ecritEnPlace(const std::string& chemin, std::string_view contenu, std::string* erreur)
{
#if defined(TAVO_POSIX)
    const int fd = ::open(chemin.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
    int cause = fd < 0 ? errno : (EcritTout(fd, contenu) ? 0 : errno);
    if (fd >= 0 && ::close(fd) != 0 && cause == 0 && errno != EINTR)
        cause = errno;
#else
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    int cause = f ? 0 : errno;
    if (f && (std::fwrite(contenu.data(), 1, contenu.size(), f) != contenu.size() ||
              std::fflush(f) != 0))
        cause = errno != 0 ? errno : EIO;
    if (f && std::fclose(f) != 0 && cause == 0)
        cause = errno != 0 ? errno : EIO;
#endif
    if (cause != 0)
        decrit(erreur, RaisonSysteme(cause));
    return cause == 0;
}

} // namespace

#if defined(TAVO_POSIX)
bool EcritTout(int fd, std::string_view contenu)
{
    while (!contenu.empty()) {
        const ssize_t n = ::write(fd, contenu.data(), contenu.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        contenu.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}
#endif

bool EcritFichierSur(const std::string& chemin, std::string_view contenu, std::string* erreur)
{
    if (chemin.empty()) {
        decrit(erreur, "Nom de fichier invalide");
        return false;
    }
    return ecrit(chemin, contenu, erreur);
}

int EcritFichiersSurs(const std::vector<FichierAEcrire>& fichiers, std::string* erreur)
{
    return ecritGroupe(fichiers, erreur);
}

int EcritPagesSures(const std::vector<FichierAEcrire>& pages, const GardePages& garde,
                    std::string* erreur)
{
    return ecritPages(pages, garde, erreur);
}

bool EcritDocument(const std::string& chemin, std::string_view contenu, std::string* erreur)
{
    if (estPeripherique(chemin))
        return ecritEnPlace(chemin, contenu, erreur);
    return EcritFichierSur(chemin, contenu, erreur);
}

} // namespace tavo
