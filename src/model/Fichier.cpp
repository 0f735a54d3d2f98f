// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Fichier.h"

#include "model/Concours.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define TAVO_POSIX 1
#endif

namespace fs = std::filesystem;

namespace tavo {

bool LitFichier(const std::string& chemin, std::string& contenu)
{
    std::error_code ec;
    if (chemin.empty() || fs::is_directory(chemin, ec))
        return false;
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (!f)
        return false;
    bool ok = true;
    try {
        std::string lu;
        // One allocation of the whole size: growing a large string costs far more than reading it.
        if (const auto taille = fs::file_size(chemin, ec); !ec)
            lu.reserve(static_cast<std::size_t>(taille));
        char tampon[1 << 16];
        std::size_t n = 0;
        while ((n = std::fread(tampon, 1, sizeof tampon, f)) > 0)
            lu.append(tampon, n);
        ok = !std::ferror(f);
        if (ok)
            contenu.swap(lu);
    } catch (const std::exception&) { // larger than memory: refused like an unreadable file
        ok = false;
    }
    std::fclose(f);
    return ok;
}

namespace {

void decrit(std::string* erreur, const std::string& quoi)
{
    if (erreur)
        *erreur = quoi;
}

#if defined(TAVO_POSIX)
bool ecritTout(int fd, std::string_view contenu)
{
    const char* p = contenu.data();
    std::size_t reste = contenu.size();
    while (reste > 0) {
        const ssize_t n = ::write(fd, p, reste);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        reste -= static_cast<std::size_t>(n);
    }
    return true;
}

// Permissions for the new file: those of the file it replaces, else the usual 0666 & ~umask.
void reprendDroits(int fd, const std::string& cible)
{
    struct stat infos
    {
    };
    if (::stat(cible.c_str(), &infos) == 0) {
        ::fchmod(fd, infos.st_mode & 07777);
    } else {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        ::fchmod(fd, 0666 & ~masque);
    }
}

void synchroniseRepertoire(const std::string& chemin)
{
    const std::string dossier = fs::path(chemin).parent_path().empty()
                                    ? std::string(".")
                                    : fs::path(chemin).parent_path().string();
    const int fd = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

} // namespace

bool EcritFichierSur(const std::string& chemin, std::string_view contenu, std::string* erreur)
{
    std::error_code ec;
    if (chemin.empty() || fs::is_directory(chemin, ec)) {
        decrit(erreur, "nom de fichier invalide");
        return false;
    }
#if defined(TAVO_POSIX)
    std::string temporaire = chemin + ".XXXXXX";
    const int fd = ::mkstemp(temporaire.data());
    if (fd < 0) {
        decrit(erreur, std::strerror(errno));
        return false;
    }
    reprendDroits(fd, chemin);
    bool ok = ecritTout(fd, contenu) && ::fsync(fd) == 0;
    int cause = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        cause = errno;
    }
    if (ok && std::rename(temporaire.c_str(), chemin.c_str()) != 0) {
        ok = false;
        cause = errno;
    }
    if (!ok) {
        ::unlink(temporaire.c_str());
        decrit(erreur, std::strerror(cause));
        return false;
    }
    synchroniseRepertoire(chemin);
    return true;
#else
    const std::string temporaire = chemin + ".tmp";
    std::FILE* f = std::fopen(temporaire.c_str(), "wb");
    if (!f) {
        decrit(erreur, std::strerror(errno));
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
#endif
}

ResultatLecture OuvreConcours(TConcours& concours, const std::string& chemin)
{
    std::string contenu;
    if (!LitFichier(chemin, contenu))
        return {CodeLecture::FichierIntrouvable, 0};
    return concours.Lit(contenu);
}

bool EnregistreConcours(const TConcours& concours, const std::string& chemin, std::string* erreur)
{
    return EcritFichierSur(chemin, concours.Ecrit(), erreur);
}

} // namespace tavo
