// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Fichier.h"

#include "model/Concours.h"
#include "model/Empreinte.h"
#include "model/LecteurTexte.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <limits>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

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
    // Every pilot a file holds (1.8 KB at the least on disk) takes about 1.4 times as
    // much once read, while the competition open before stays until the new one is
    // complete; saving then builds the whole text again. Working on a file of S bytes
    // thus needs about 4 S: a file over a quarter of the physical memory cannot be a
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
// A file opened without waiting (a pipe with no writer would block) and checked on the
// descriptor itself, so that what is read is what was checked.
class FichierLu
{
public:
    explicit FichierLu(const std::string& chemin)
        : m_fd(::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY))
    {}
    ~FichierLu()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FichierLu(const FichierLu&) = delete;
    FichierLu& operator=(const FichierLu&) = delete;

    /** The size of a regular file that may be read, or why it may not. */
    CodeLecture Verifie(std::uint64_t tailleMax, std::uint64_t& taille) const
    {
        struct stat infos
        {
        };
        if (m_fd < 0 || ::fstat(m_fd, &infos) != 0 || S_ISDIR(infos.st_mode))
            return CodeLecture::FichierIntrouvable;
        if (!S_ISREG(infos.st_mode))
            return CodeLecture::PasUnFichier;
        taille = static_cast<std::uint64_t>(infos.st_size);
        return taille > tailleMax ? CodeLecture::FichierTropGrand : CodeLecture::Ok;
    }

    /** A `read`: bytes, 0 at the end, < 0 on error. */
    long long Lit(char* tampon, std::size_t n) const
    {
        ssize_t lu = 0;
        while ((lu = ::read(m_fd, tampon, n)) < 0 && errno == EINTR) {
        }
        return lu;
    }

private:
    int m_fd;
};
#else
class FichierLu
{
public:
    explicit FichierLu(const std::string& chemin)
        : m_chemin(chemin)
    {}
    ~FichierLu()
    {
        if (m_f)
            std::fclose(m_f);
    }
    FichierLu(const FichierLu&) = delete;
    FichierLu& operator=(const FichierLu&) = delete;

    CodeLecture Verifie(std::uint64_t tailleMax, std::uint64_t& taille)
    {
        std::error_code ec;
        const fs::file_status etat = fs::status(m_chemin, ec);
        if (ec || !fs::exists(etat) || fs::is_directory(etat))
            return CodeLecture::FichierIntrouvable;
        if (!fs::is_regular_file(etat))
            return CodeLecture::PasUnFichier;
        taille = fs::file_size(m_chemin, ec);
        if (ec)
            taille = 0;
        else if (taille > tailleMax)
            return CodeLecture::FichierTropGrand;
        m_f = std::fopen(m_chemin.c_str(), "rb");
        return m_f ? CodeLecture::Ok : CodeLecture::FichierIntrouvable;
    }

    long long Lit(char* tampon, std::size_t n) const
    {
        const std::size_t lu = std::fread(tampon, 1, n, m_f);
        return lu == 0 && std::ferror(m_f) ? -1 : static_cast<long long>(lu);
    }

private:
    std::string m_chemin;
    std::FILE* m_f = nullptr;
};
#endif

CodeLecture litChemin(const std::string& chemin, std::string& contenu, std::uint64_t tailleMax)
{
    FichierLu fichier(chemin);
    std::uint64_t taille = 0;
    if (const CodeLecture code = fichier.Verifie(tailleMax, taille); code != CodeLecture::Ok)
        return code;
    const auto lire = [&fichier](char* tampon, std::size_t n) { return fichier.Lit(tampon, n); };
    return litTout(lire, taille, tailleMax, contenu);
}

/**
 * The fingerprint of a file's bytes, computed on a thread of its own while the
 * reader interprets them: blocks are copied to it in order, a few at most waiting.
 * When no thread can be had, each block is added as it comes.
 */
class EmpreinteEnFond
{
public:
    EmpreinteEnFond()
    {
        try {
            m_fil = std::thread([this] { Calcule(); });
        } catch (const std::system_error&) {
        }
    }
    ~EmpreinteEnFond() { Termine(); }
    EmpreinteEnFond(const EmpreinteEnFond&) = delete;
    EmpreinteEnFond& operator=(const EmpreinteEnFond&) = delete;

    void Ajoute(const char* octets, std::size_t taille)
    {
        if (!m_fil.joinable()) {
            m_empreinte.Ajoute(octets, taille);
            return;
        }
        std::unique_lock verrou(m_mutex);
        m_place.wait(verrou, [this] { return m_attente.size() < 4; });
        std::vector<char> bloc;
        if (!m_libres.empty()) {
            bloc.swap(m_libres.back());
            m_libres.pop_back();
        }
        bloc.assign(octets, octets + taille);
        m_attente.push_back(std::move(bloc));
        m_travail.notify_one();
    }

    /** Waits for every block; the fingerprint of all of them as 16 hexadecimal digits. */
    std::string Termine()
    {
        {
            std::lock_guard verrou(m_mutex);
            m_fini = true;
        }
        m_travail.notify_one();
        if (m_fil.joinable())
            m_fil.join();
        return EmpreinteHex(m_empreinte);
    }

private:
    void Calcule()
    {
        std::unique_lock verrou(m_mutex);
        for (;;) {
            m_travail.wait(verrou, [this] { return m_fini || !m_attente.empty(); });
            if (m_attente.empty())
                return;
            std::vector<char> bloc = std::move(m_attente.front());
            m_attente.pop_front();
            verrou.unlock();
            m_empreinte.Ajoute(bloc.data(), bloc.size());
            verrou.lock();
            m_libres.push_back(std::move(bloc));
            m_place.notify_one();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_travail;
    std::condition_variable m_place;
    std::deque<std::vector<char>> m_attente;
    std::vector<std::vector<char>> m_libres;
    bool m_fini = false;
    TEmpreinteOctets m_empreinte;
    std::thread m_fil; // started once everything it uses is built
};

// A competition file streamed to the reader, within the size cap, every block
// also given to the fingerprint when one is wanted.
class SourceFichier : public SourceTexte
{
public:
    SourceFichier(const FichierLu& fichier, std::uint64_t tailleMax, EmpreinteEnFond* empreinte)
        : m_fichier(fichier)
        , m_tailleMax(tailleMax)
        , m_empreinte(empreinte)
    {}

    std::size_t Lit(char* tampon, std::size_t taille) override
    {
        if (m_code != CodeLecture::Ok || m_fin)
            return 0;
        const long long n = m_fichier.Lit(tampon, aLire(m_lu, m_tailleMax, taille));
        if (n < 0) {
            m_code = CodeLecture::FichierIntrouvable;
            return 0;
        }
        if (n == 0) {
            m_fin = true;
            return 0;
        }
        if (m_lu + static_cast<std::uint64_t>(n) > m_tailleMax) {
            m_code = CodeLecture::FichierTropGrand;
            return 0;
        }
        m_lu += static_cast<std::uint64_t>(n);
        if (m_empreinte)
            m_empreinte->Ajoute(tampon, static_cast<std::size_t>(n));
        return static_cast<std::size_t>(n);
    }

    /** Reads what the reader left (bytes after the last judge) for the fingerprint. */
    void LitLeReste()
    {
        std::vector<char> tampon(std::size_t{1} << 16);
        while (Lit(tampon.data(), tampon.size()) > 0) {
        }
    }

    CodeLecture Code() const { return m_code; }

private:
    const FichierLu& m_fichier;
    std::uint64_t m_tailleMax;
    EmpreinteEnFond* m_empreinte;
    std::uint64_t m_lu = 0;
    CodeLecture m_code = CodeLecture::Ok;
    bool m_fin = false;
};

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

ResultatLecture OuvreConcours(TConcours& concours, const std::string& chemin,
                              std::string* empreinte)
{
    if (chemin.empty())
        return {CodeLecture::FichierIntrouvable, 0};
    try {
        const std::uint64_t tailleMax = TailleMaxConcours();
        FichierLu fichier(chemin);
        std::uint64_t taille = 0;
        if (const CodeLecture code = fichier.Verifie(tailleMax, taille); code != CodeLecture::Ok)
            return {code, 0};
        std::optional<EmpreinteEnFond> fond;
        if (empreinte)
            fond.emplace();
        SourceFichier source(fichier, tailleMax, fond ? &*fond : nullptr);
        // Never the whole file in memory: the records are read from blocks of 1 MB.
        LecteurTexte lecteur(source);
        TConcours lu;
        ResultatLecture resultat = lu.Lit(lecteur);
        if (fond)
            source.LitLeReste();
        if (source.Code() != CodeLecture::Ok)
            return {source.Code(), 0};
        if (!resultat)
            return resultat;
        if (fond)
            *empreinte = fond->Termine();
        concours.Remplace(std::move(lu));
        return resultat;
    } catch (const std::bad_alloc&) { // more than memory can hold
        return {CodeLecture::FichierTropGrand, 0};
    }
}

bool EnregistreConcours(const TConcours& concours, const std::string& chemin, std::string* erreur)
{
    return EcritFichierSur(chemin, concours.Ecrit(), erreur);
}

} // namespace tavo
