// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a file without ever losing the previous one.
#include "model/ErreurSysteme.h"
#include "model/Fichier.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

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

// Removes the temporary files left in `dossier` by gone writers of the targets whose
// prefixes are given: one pass over the directory for any number of targets.
void nettoieTemporaires(const fs::path& dossier, const std::set<std::string>& prefixes)
{
    std::error_code ec;
    for (fs::directory_iterator it(dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
        const std::string nom = it->path().filename().string();
        const auto marque = nom.rfind(MARQUE);
        if (marque == std::string::npos)
            continue;
        const std::string prefixe = nom.substr(0, marque + MARQUE.size());
        if (!prefixes.contains(prefixe))
            continue;
        const pid_t auteur = auteurTemporaire(nom, prefixe);
        if (auteur > 0 && auteurDisparu(auteur))
            ::unlink(it->path().c_str());
    }
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
            const int fd = ::open(temporaires[i].first.c_str(), O_RDONLY | O_CLOEXEC);
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

bool EcritDocument(const std::string& chemin, std::string_view contenu, std::string* erreur)
{
    if (estPeripherique(chemin))
        return ecritEnPlace(chemin, contenu, erreur);
    return EcritFichierSur(chemin, contenu, erreur);
}

} // namespace tavo
