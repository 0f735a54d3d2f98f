// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Emplacements.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace tavo {

namespace {

constexpr std::string_view FICHIER_OPTIONS = "tavo.ini";
constexpr std::string_view PROGRAMMES = "Vols";
constexpr std::string_view CONCOURS = "Concours";

bool Existe(const fs::path& chemin)
{
    std::error_code erreur;
    return fs::exists(chemin, erreur);
}

bool EstRepertoire(const fs::path& chemin)
{
    std::error_code erreur;
    return fs::is_directory(chemin, erreur);
}

// An XDG variable counts only when it holds an absolute path.
fs::path VariableAbsolue(const char* nom)
{
    const char* valeur = std::getenv(nom);
    if (valeur == nullptr || *valeur == '\0')
        return {};
    fs::path chemin(valeur);
    return chemin.is_absolute() ? chemin : fs::path{};
}

fs::path RepertoireUtilisateur(const char* variable, std::string_view defaut)
{
    fs::path base = VariableAbsolue(variable);
    if (base.empty()) {
        const fs::path maison = VariableAbsolue("HOME");
        if (maison.empty())
            return {};
        base = maison / defaut;
    }
    return base / "tavo";
}

std::vector<fs::path> CandidatsInstalles()
{
    std::vector<fs::path> candidats;
#ifdef __linux__
    std::error_code erreur;
    const fs::path programme = fs::read_symlink("/proc/self/exe", erreur);
    if (!erreur)
        candidats.push_back(programme.parent_path().parent_path() / "share" / "tavo");
#endif
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::string_view liste =
        dirs != nullptr && *dirs != '\0' ? dirs : "/usr/local/share:/usr/share";
    while (!liste.empty()) {
        const std::size_t fin = liste.find(':');
        const fs::path dir(liste.substr(0, fin));
        if (dir.is_absolute())
            candidats.push_back(dir / "tavo");
        liste = fin == std::string_view::npos ? std::string_view{} : liste.substr(fin + 1);
    }
#ifdef TAVO_DATADIR
    candidats.emplace_back(TAVO_DATADIR);
#endif
    return candidats;
}

// Makes the data directory's folders that are missing; the programmes come from the installed ones.
void PrepareDonnees(const fs::path& donnees)
{
    std::error_code erreur;
    fs::create_directories(donnees / CONCOURS, erreur);
    const fs::path vols = donnees / PROGRAMMES;
    if (Existe(vols) || !fs::create_directories(vols, erreur))
        return;
    const std::string installe = RepertoireInstalle();
    if (installe.empty())
        return;
    for (const fs::directory_entry& entree :
         fs::directory_iterator(fs::path(installe) / PROGRAMMES, erreur)) {
        std::error_code copie;
        if (entree.is_regular_file(copie))
            fs::copy_file(entree.path(), vols / entree.path().filename(),
                          fs::copy_options::skip_existing, copie);
    }
}

// Whether a folder holds a programme: a regular "*.txt" file (in any case) that can be read.
bool ContientProgramme(const fs::path& repertoire)
{
    std::error_code erreur;
    for (const fs::directory_entry& entree : fs::directory_iterator(repertoire, erreur)) {
        std::string extension = entree.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        std::error_code genre;
        if (extension == ".txt" && entree.is_regular_file(genre) &&
            std::ifstream(entree.path(), std::ios::binary).is_open())
            return true;
    }
    return false;
}

} // namespace

std::string RepertoireProgrammes(const std::string& configure, const Emplacements& emplacements)
{
    if (!emplacements.utilisateur || ContientProgramme(configure))
        return configure;
    const std::string installe = RepertoireInstalle();
    return installe.empty() ? configure : (fs::path(installe) / PROGRAMMES).string();
}

std::string RepertoireEtat()
{
    return RepertoireUtilisateur("XDG_STATE_HOME", ".local/state").string();
}

std::string RepertoireInstalle()
{
    for (const fs::path& candidat : CandidatsInstalles())
        if (EstRepertoire(candidat / PROGRAMMES))
            return candidat.lexically_normal().string();
    return {};
}

Emplacements TrouveEmplacements(const std::string& courant, bool prepare)
{
    Emplacements emplacements{courant, courant, false};
    if (Existe(fs::path(courant) / FICHIER_OPTIONS))
        return emplacements;
    const fs::path donnees = RepertoireUtilisateur("XDG_DATA_HOME", ".local/share");
    const fs::path configuration = RepertoireUtilisateur("XDG_CONFIG_HOME", ".config");
    if (donnees.empty() || configuration.empty())
        return emplacements; // no home folder: the current directory is all there is
    if (prepare) {
        PrepareDonnees(donnees);
        std::error_code erreur;
        fs::create_directories(configuration, erreur);
    }
    return {donnees.string(), configuration.string(), true};
}

std::string CheminDonnee(const std::string& depart, const std::string& nom)
{
    const fs::path propre = fs::path(depart) / nom;
    if (Existe(propre))
        return propre.string();
    if (const std::string installe = RepertoireInstalle(); !installe.empty()) {
        const fs::path commun = fs::path(installe) / nom;
        if (Existe(commun))
            return commun.string();
    }
    return propre.string();
}

} // namespace tavo
