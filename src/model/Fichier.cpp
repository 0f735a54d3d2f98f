// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Fichier.h"

#include "model/Concours.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <new>
#include <system_error>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define TAVO_POSIX 1
#endif

namespace fs = std::filesystem;

namespace tavo {

std::uint64_t TailleMaxConcours()
{
    // A file is held whole in memory while it is read, and every pilot it holds
    // (1.8 KB at the least on disk) takes about twice as much once read, while
    // the competition open before stays until the new one is complete; saving
    // then builds the whole text again. Working on a file of S bytes thus needs
    // about 4 S: a file over a quarter of the physical memory cannot be a
    // competition this machine can work with (real ones stay under a few MB).
    std::uint64_t memoire = std::uint64_t{4} << 30; // when the system does not say
#if defined(TAVO_POSIX) && defined(_SC_PHYS_PAGES)
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long taillePage = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && taillePage > 0)
        memoire = static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(taillePage);
#endif
    return std::min<std::uint64_t>(memoire / 4, std::numeric_limits<std::size_t>::max() / 4);
}

namespace {

// How many bytes to ask for next: a buffer's worth, but never more than one
// byte past the cap, so that a file that grows while it is read is seen too large.
std::size_t aLire(std::size_t dejaLu, std::uint64_t tailleMax, std::size_t tampon)
{
    if (tailleMax - dejaLu < tampon)
        return static_cast<std::size_t>(tailleMax - dejaLu) + 1;
    return tampon;
}

// Reads to the end with `lire` (a `read`-like call: bytes, 0 at the end, < 0 on error).
template <typename Lecture>
CodeLecture litTout(Lecture lire, std::uint64_t taillePrevue, std::uint64_t tailleMax,
                    std::string& contenu)
{
    std::string lu;
    // One allocation of the whole size: growing a large string costs far more than reading it.
    lu.reserve(static_cast<std::size_t>(std::min(taillePrevue, tailleMax)));
    char tampon[1 << 16];
    for (;;) {
        const long long n = lire(tampon, aLire(lu.size(), tailleMax, sizeof tampon));
        if (n < 0)
            return CodeLecture::FichierIntrouvable;
        if (n == 0)
            break;
        if (lu.size() + static_cast<std::uint64_t>(n) > tailleMax)
            return CodeLecture::FichierTropGrand;
        lu.append(tampon, static_cast<std::size_t>(n));
    }
    contenu.swap(lu);
    return CodeLecture::Ok;
}

#if defined(TAVO_POSIX)
// Opened without waiting (a pipe with no writer would block) and checked on the
// descriptor itself, so that what is read is what was checked.
CodeLecture litDescripteur(int fd, std::string& contenu, std::uint64_t tailleMax)
{
    struct stat infos
    {
    };
    if (::fstat(fd, &infos) != 0 || S_ISDIR(infos.st_mode))
        return CodeLecture::FichierIntrouvable;
    if (!S_ISREG(infos.st_mode))
        return CodeLecture::PasUnFichier;
    const auto taille = static_cast<std::uint64_t>(infos.st_size);
    if (taille > tailleMax)
        return CodeLecture::FichierTropGrand;
    const auto lire = [fd](char* tampon, std::size_t n) -> long long {
        ssize_t lu = 0;
        while ((lu = ::read(fd, tampon, n)) < 0 && errno == EINTR) {
        }
        return lu;
    };
    return litTout(lire, taille, tailleMax, contenu);
}

CodeLecture litChemin(const std::string& chemin, std::string& contenu, std::uint64_t tailleMax)
{
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return CodeLecture::FichierIntrouvable;
    const CodeLecture code = litDescripteur(fd, contenu, tailleMax);
    ::close(fd);
    return code;
}
#else
CodeLecture litChemin(const std::string& chemin, std::string& contenu, std::uint64_t tailleMax)
{
    std::error_code ec;
    const fs::file_status etat = fs::status(chemin, ec);
    if (ec || !fs::exists(etat) || fs::is_directory(etat))
        return CodeLecture::FichierIntrouvable;
    if (!fs::is_regular_file(etat))
        return CodeLecture::PasUnFichier;
    const std::uint64_t taille = fs::file_size(chemin, ec);
    if (!ec && taille > tailleMax)
        return CodeLecture::FichierTropGrand;
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (!f)
        return CodeLecture::FichierIntrouvable;
    const auto lire = [f](char* tampon, std::size_t n) -> long long {
        const std::size_t lu = std::fread(tampon, 1, n, f);
        return lu == 0 && std::ferror(f) ? -1 : static_cast<long long>(lu);
    };
    const CodeLecture code = litTout(lire, ec ? 0 : taille, tailleMax, contenu);
    std::fclose(f);
    return code;
}
#endif

} // namespace

CodeLecture LitFichierBorne(const std::string& chemin, std::string& contenu,
                            std::uint64_t tailleMax)
{
    if (chemin.empty())
        return CodeLecture::FichierIntrouvable;
    try {
        return litChemin(chemin, contenu, tailleMax);
    } catch (const std::bad_alloc&) { // more than memory can hold
        return CodeLecture::FichierTropGrand;
    }
}

bool LitFichier(const std::string& chemin, std::string& contenu, std::uint64_t tailleMax)
{
    return LitFichierBorne(chemin, contenu, tailleMax) == CodeLecture::Ok;
}

bool MemeFichier(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;
    std::error_code e;
    if (fs::exists(a, e) && fs::exists(b, e) && fs::equivalent(a, b, e))
        return true;
    const auto canonique = [](const std::string& chemin) {
        std::error_code ec;
        const fs::path absolu = fs::absolute(chemin, ec).lexically_normal();
        const fs::path reel = fs::weakly_canonical(absolu, ec);
        return ec ? absolu : reel;
    };
    return canonique(a) == canonique(b);
}

std::string CheminReel(const std::string& chemin)
{
    std::error_code ec;
    fs::path reel = fs::absolute(fs::path(chemin), ec).lexically_normal();
    if (fs::exists(reel, ec)) {
        const fs::path canonique = fs::canonical(reel, ec);
        if (!ec)
            reel = canonique;
    }
    return reel.string();
}

bool EstNomFichierSimple(std::string_view nom)
{
    return !nom.empty() && nom != "." && nom != ".." &&
           nom.find_first_of("/\\") == std::string_view::npos;
}

ResultatLecture OuvreConcours(TConcours& concours, const std::string& chemin, std::string* octets)
{
    std::string contenu;
    const CodeLecture code = LitFichierBorne(chemin, contenu, TailleMaxConcours());
    if (code != CodeLecture::Ok)
        return {code, 0};
    const ResultatLecture resultat = concours.Lit(contenu);
    if (octets)
        octets->swap(contenu);
    return resultat;
}

bool EnregistreConcours(const TConcours& concours, const std::string& chemin, std::string* erreur)
{
    return EcritFichierSur(chemin, concours.Ecrit(), erreur);
}

} // namespace tavo
