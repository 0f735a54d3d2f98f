// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Verrou.h"

#include "model/ErreurSysteme.h"
#include "model/Fichier.h"
#include "model/Processus.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <vector>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#define TAVO_POSIX 1
#endif

namespace fs = std::filesystem;

namespace tavo {

namespace {

std::string maintenant()
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
#if defined(TAVO_POSIX)
    const bool ok = localtime_r(&t, &local) != nullptr;
#else
    const bool ok = localtime_s(&local, &t) == 0;
#endif
    char texte[32] = "";
    if (ok)
        std::strftime(texte, sizeof texte, "%Y-%m-%dT%H:%M:%S", &local);
    return texte;
}

std::string contenu()
{
    const long long pid = NumeroProcessus();
    return NomUtilisateur() + '\n' + NomOrdinateur() + '\n' + std::to_string(pid) + '\n' +
           maintenant() + '\n' + DemarrageProcessus(pid) + '\n';
}

std::vector<std::string> lignes(const std::string& texte)
{
    std::vector<std::string> resultat;
    std::size_t debut = 0;
    for (std::size_t fin; (fin = texte.find('\n', debut)) != std::string::npos; debut = fin + 1)
        resultat.push_back(texte.substr(debut, fin - debut));
    if (debut < texte.size())
        resultat.push_back(texte.substr(debut));
    return resultat;
}

/** A text of the lock on one line, as it is shown. */
std::string surUneLigne(std::string texte)
{
    for (char& c : texte)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return texte;
}

/** The holder a lock file names; nothing when it cannot be read (never waits on a pipe). */
std::optional<TDetenteurVerrou> litVerrou(const std::string& verrou)
{
    std::string octets;
    if (!LitFichier(verrou, octets, 4096))
        return std::nullopt;
    const std::vector<std::string> l = lignes(octets);
    if (l.size() < 4)
        return std::nullopt;
    TDetenteurVerrou d;
    d.Utilisateur = surUneLigne(l[0]);
    d.Hote = surUneLigne(l[1]);
    char* fin = nullptr;
    d.Processus = std::strtoll(l[2].c_str(), &fin, 10);
    if (l[2].empty() || fin == nullptr || *fin != '\0')
        return std::nullopt;
    d.Depuis = surUneLigne(l[3]);
    if (l.size() > 4)
        d.Demarrage = l[4];
    return d;
}

#if defined(TAVO_POSIX)
/** Whether some open description of the lock file holds the system's lock on it. */
bool tenuIci(const std::string& verrou)
{
    const int fd = ::open(verrou.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool tenu = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd); // releases what this look took
    return tenu;
}
#endif

/**
 * Creates the lock with its content in one step: it never exists half written, and
 * nothing is left behind when it cannot be made. 0 or the system's error.
 */
int cree(const std::string& verrou)
{
#if defined(TAVO_POSIX)
    const std::string temporaire = verrou + '.' + std::to_string(NumeroProcessus());
    ::unlink(temporaire.c_str()); // left by a process that had our number
    const int fd = ::open(temporaire.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0)
        return errno;
    int cause = EcritTout(fd, contenu()) ? 0 : errno;
    if (::close(fd) != 0 && cause == 0)
        cause = errno;
    if (cause == 0 && ::link(temporaire.c_str(), verrou.c_str()) != 0)
        cause = errno;
    ::unlink(temporaire.c_str());
    return cause;
#else
    return EcritFichierSur(verrou, contenu()) ? 0 : EIO;
#endif
}

} // namespace

std::string NomUtilisateur()
{
    for (const char* variable : {"USER", "USERNAME", "LOGNAME"})
        if (const char* nom = std::getenv(variable); nom && *nom)
            return nom;
    return "?";
}

std::string TVerrou::CheminVerrou(const std::string& fichier)
{
    const fs::path reel(CheminReel(fichier));
    return (reel.parent_path() / (".~lock." + reel.filename().string() + '#')).string();
}

std::optional<TDetenteurVerrou> TVerrou::Detenteur(const std::string& fichier)
{
    const std::string verrou = CheminVerrou(fichier);
    const auto d = litVerrou(verrou);
    if (!d)
        return std::nullopt;
    if (d->Hote != NomOrdinateur())
        return d; // another computer's process cannot be checked from here
#if defined(TAVO_POSIX)
    if (d->Processus == NumeroProcessus())
        return tenuIci(verrou) ? d : std::nullopt;
#endif
    return ProcessusVivant(d->Processus, d->Demarrage) ? d : std::nullopt;
}

TVerrou::~TVerrou()
{
    Libere();
}

bool TVerrou::Prend(const std::string& fichier, std::string* raison)
{
    Libere();
    const std::string verrou = CheminVerrou(fichier);
    if (Detenteur(fichier))
        return false;
    std::error_code ec;
    fs::remove(verrou, ec); // stale, or unreadable
    if (const int cause = cree(verrou); cause != 0) {
        // A place that cannot be written cannot be saved to either: the save will tell.
        if (raison && cause != EACCES && cause != EROFS && cause != EPERM)
            *raison = RaisonSysteme(cause);
        return false;
    }
#if defined(TAVO_POSIX)
    m_fd = ::open(verrou.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
#endif
    m_fichier = fichier;
    m_verrou = verrou;
    return true;
}

void TVerrou::Libere()
{
    if (m_verrou.empty())
        return;
    const auto d = litVerrou(m_verrou);
    bool sienne = d && d->Hote == NomOrdinateur() && d->Processus == NumeroProcessus();
#if defined(TAVO_POSIX)
    // Still the very file it made: another process may have replaced a lock it thought stale.
    struct stat tenu = {}, present = {};
    if (m_fd >= 0)
        sienne = sienne && ::fstat(m_fd, &tenu) == 0 && ::lstat(m_verrou.c_str(), &present) == 0 &&
                 tenu.st_dev == present.st_dev && tenu.st_ino == present.st_ino;
#endif
    if (sienne) {
        std::error_code ec;
        fs::remove(m_verrou, ec);
    }
#if defined(TAVO_POSIX)
    if (m_fd >= 0)
        ::close(m_fd);
#endif
    m_fd = -1;
    m_verrou.clear();
    m_fichier.clear();
}

} // namespace tavo
