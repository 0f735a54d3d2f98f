// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/EcritureDocument.h"

#include "model/ErreurSysteme.h"
#include "model/Fichier.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define TAVO_POSIX 1
#endif

namespace fs = std::filesystem;

namespace tavo {

namespace {

void Decrit(std::string* erreur, int numero)
{
    if (erreur != nullptr)
        *erreur = RaisonSysteme(numero);
}

// Not a file that can be replaced: a device or a pipe, or a name under /dev or /proc, which
// stands for an open descriptor even when that descriptor is a file.
bool EstPeripherique(const std::string& chemin)
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

#if defined(TAVO_POSIX)
// Never created: a missing device is an error, not a new file.
bool EcritEnPlace(const std::string& chemin, std::string_view contenu, std::string* erreur)
{
    const int fd = ::open(chemin.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        Decrit(erreur, errno);
        return false;
    }
    int cause = EcritTout(fd, contenu) ? 0 : errno;
    if (::close(fd) != 0 && cause == 0 && errno != EINTR)
        cause = errno;
    if (cause != 0)
        Decrit(erreur, cause);
    return cause == 0;
}
#else
bool EcritEnPlace(const std::string& chemin, std::string_view contenu, std::string* erreur)
{
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (f == nullptr) {
        Decrit(erreur, errno);
        return false;
    }
    bool ok = std::fwrite(contenu.data(), 1, contenu.size(), f) == contenu.size();
    ok = std::fflush(f) == 0 && ok;
    const int cause = ok ? 0 : errno;
    ok = std::fclose(f) == 0 && ok;
    if (!ok)
        Decrit(erreur, cause != 0 ? cause : EIO);
    return ok;
}
#endif

} // namespace

bool EcritDocument(const std::string& chemin, std::string_view contenu, std::string* erreur)
{
    if (EstPeripherique(chemin))
        return EcritEnPlace(chemin, contenu, erreur);
    return EcritFichierSur(chemin, contenu, erreur);
}

} // namespace tavo
