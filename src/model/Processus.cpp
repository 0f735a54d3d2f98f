// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Processus.h"

#include "model/Fichier.h"

#include <cerrno>

#if __has_include(<unistd.h>)
#include <csignal>
#include <unistd.h>
#define TAVO_POSIX 1
#endif

namespace tavo {

namespace {

std::string premiereLigne(const std::string& chemin)
{
    std::string contenu;
    if (!LitFichier(chemin, contenu, 4096))
        return {};
    return contenu.substr(0, contenu.find('\n'));
}

// The start time in /proc/PID/stat: field 22, counted after the command name in parentheses
// (which may itself hold spaces and parentheses).
std::string debutProcessus(long long pid)
{
    const std::string stat = premiereLigne("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t fin = stat.rfind(')');
    if (fin == std::string::npos)
        return {};
    std::size_t debut = fin + 1;
    for (int champ = 3; champ <= 22; ++champ) {
        debut = stat.find_first_not_of(' ', debut);
        if (debut == std::string::npos)
            return {};
        const std::size_t suite = stat.find(' ', debut);
        if (champ == 22)
            return stat.substr(debut, suite - debut);
        debut = suite;
    }
    return {};
}

bool numeroVivant(long long pid)
{
#if defined(TAVO_POSIX)
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#else
    (void)pid;
    return true;
#endif
}

} // namespace

long long NumeroProcessus()
{
#if defined(TAVO_POSIX)
    return ::getpid();
#else
    return 0;
#endif
}

std::string DemarrageProcessus(long long pid)
{
    const std::string boot = premiereLigne("/proc/sys/kernel/random/boot_id");
    const std::string debut = debutProcessus(pid);
    if (boot.empty() || debut.empty() || boot.find(' ') != std::string::npos)
        return {};
    return boot + ' ' + debut;
}

bool ProcessusVivant(long long pid, std::string_view demarrage)
{
    if (pid <= 0 || pid > 0x7FFFFFFF)
        return false;
    if (!numeroVivant(pid))
        return false;
    if (demarrage.empty())
        return true;
    const std::string actuel = DemarrageProcessus(pid);
    // Gone between the two looks, or the system no longer says: only the number is known.
    if (actuel.empty())
        return numeroVivant(pid);
    return actuel == demarrage;
}

std::string NomOrdinateur()
{
#if defined(TAVO_POSIX)
    char nom[256] = {};
    if (::gethostname(nom, sizeof nom - 1) == 0 && nom[0] != '\0')
        return nom;
#endif
    return "?";
}

} // namespace tavo
