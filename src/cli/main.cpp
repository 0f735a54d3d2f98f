// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-cli: reads a competition file and prints it without the graphical program.

#include "model/Concours.h"
#include "model/Cp1252.h"
#include "model/Fichier.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr int SORTIE_ERREUR = 2;
constexpr int SORTIE_USAGE = 64;

const char* const USAGE = "Usage : tavo-cli concours FICHIER.ccr\n"
                          "\n"
                          "  concours   affiche les caractéristiques du concours et ses pilotes\n";

std::string u8(const char* cp1252)
{
    return tavo::Cp1252VersUtf8(cp1252);
}

// A Windows-1252 text in UTF-8, padded with spaces to a width in characters.
std::string colonne(const char* cp1252, std::size_t largeur)
{
    std::string texte = u8(cp1252);
    const std::size_t caracteres = std::string_view(cp1252).size();
    if (caracteres < largeur)
        texte.append(largeur - caracteres, ' ');
    return texte + ' ';
}

void afficheCaracteristiques(const TConcours& c)
{
    std::printf("Titre du concours : %s\n", u8(c.GetTitre()).c_str());
    std::printf("Lieu du concours  : %s\n", u8(c.GetLieu()).c_str());
    std::printf("Département       : %s\n", u8(c.GetDepartement()).c_str());
    std::printf("Organisateur      : %s (n° %s)\n", u8(c.GetOrganisateur()).c_str(),
                u8(c.GetNumAffiliation()).c_str());
    std::printf("Catégorie         : %s   Série : %s\n", u8(c.GetCategorie()).c_str(),
                u8(c.GetSerie()).c_str());
    std::printf("Dates             : du %s au %s\n", c.GetDateDebut(), c.GetDateFin());
    std::printf("Juges             : %d   Vols : %d\n", c.GetNbJuges(), c.GetNbVols());
    for (short v = 0; v < c.GetNbVols() && v < MAX_VOLS; ++v)
        std::printf("Programme du vol %d : %s\n", v + 1, u8(c.GetProgrammeVol(v)).c_str());
}

void affichePilotes(const TConcours& c)
{
    std::string ligne = "\n";
    for (auto [titre, largeur] : {std::pair{"Dossard", 7},
                                  {"Nom", 20},
                                  {"Pr\xE9nom", 15},
                                  {"Club", 20},
                                  {"N\xB0", 4},
                                  {"Licence", 8},
                                  {"Fr\xE9q. 1", 7},
                                  {"Fr\xE9q. 2", 7}})
        ligne += colonne(titre, static_cast<std::size_t>(largeur));
    std::puts(ligne.c_str());
    for (const TPilote& p : c.GetPilotes()) {
        ligne = colonne(p.GetDossard(), 7) + colonne(p.GetNom(), 20) + colonne(p.GetPrenom(), 15) +
                colonne(p.GetClub(), 20) + colonne(p.GetNumClub(), 4) + colonne(p.GetLicence(), 8) +
                colonne(p.GetFrequence1(), 7) + colonne(p.GetFrequence2(), 7);
        std::puts(ligne.c_str());
    }
    std::printf("\n%d pilote(s), %d juge(s) saisi(s)\n", c.NbPilotes(), c.NbJugesSaisis());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(USAGE, stdout);
        return 0;
    }
    if (argc != 3 || std::string_view(argv[1]) != "concours") {
        std::fputs(USAGE, stderr);
        return SORTIE_USAGE;
    }
    TConcours concours;
    const tavo::ResultatLecture lu = tavo::OuvreConcours(concours, argv[2]);
    if (!lu) {
        std::fprintf(stderr, "Incapable d'ouvrir le fichier\n%s\n",
                     tavo::MessageLecture(lu).c_str());
        return SORTIE_ERREUR;
    }
    afficheCaracteristiques(concours);
    affichePilotes(concours);
    return 0;
}
