// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Fabrique.h"

#include "model/Fichier.h"

#include <algorithm>
#include <random>

namespace tavo::test {

std::string TexteProgramme(const std::vector<short>& k, short typeBruit, short kBruit,
                           short typeConformite, short kConformite)
{
    std::string texte = "Essai\r\n1/9/2025\r\n" + std::to_string(typeBruit) + "\r\n";
    if (typeBruit != 0)
        texte += std::to_string(kBruit) + "\r\n";
    texte += std::to_string(typeConformite) + "\r\n";
    if (typeConformite != 0)
        texte += std::to_string(kConformite) + "\r\n";
    texte += "\r\n" + std::to_string(k.size()) + "\r\n";
    for (std::size_t f = 0; f < k.size(); ++f)
        texte += "Figure " + std::to_string(f + 1) + "\r\n" + std::to_string(k[f]) + "\r\n";
    return texte;
}

TProgramme Programme(const std::vector<short>& k, short typeBruit, short kBruit,
                     short typeConformite, short kConformite)
{
    TProgramme programme;
    programme.Reinitialise();
    programme.Lit(TexteProgramme(k, typeBruit, kBruit, typeConformite, kConformite));
    return programme;
}

TPilote& AjoutePilote(TConcours& concours, const char* nom, const char* dossard, const char* prenom)
{
    TPilote& pilote = concours.GetPilotes().emplace_back();
    pilote.SetNom(nom);
    pilote.SetPrenom(prenom);
    pilote.SetDossard(dossard);
    return pilote;
}

void Note(TPilote& pilote, short vol, short ligne, std::initializer_list<short> notes)
{
    short juge = 1;
    for (short note : notes)
        pilote.SetNote(vol, ligne, juge++, note);
}

void AjouteJuge(TConcours& concours, const char* nom)
{
    concours.GetJuges().emplace_back().SetNom(nom);
}

void GenereConcours(TConcours& concours, const std::string& repProgrammes, int pilotes, short juges,
                    short vols, unsigned graine)
{
    const std::vector<short> k{3, 2, 5, 3, 4, 3, 2, 4, 3, 5, 4, 3, 2, 4, 3, 5, 1};
    EcritFichierSur(repProgrammes + "/Gen.txt", TexteProgramme(k, 2, 1, 1, 1));
    concours.Nouveau();
    concours.SetTitre("Concours g\xE9n\xE9r\xE9");
    concours.SetCategorie("F3A");
    concours.SetSerie("2");
    concours.SetNbJuges(juges);
    concours.SetNbVols(vols);
    for (short v = 0; v < vols; ++v)
        concours.SetProgrammeVol("Gen.txt", v);
    for (short j = 1; j <= juges; ++j)
        AjouteJuge(concours, ("Juge" + std::to_string(j)).c_str());

    std::mt19937 alea(graine);
    std::uniform_int_distribution<int> niveau(4, 9);
    std::uniform_int_distribution<int> ecart(-1, 1);
    std::uniform_int_distribution<int> absence(0, 19);
    for (int p = 1; p <= pilotes; ++p) {
        const std::string numero = std::to_string(p);
        TPilote& pilote = AjoutePilote(concours, ("Pilote" + numero).c_str(),
                                       numero.substr(0, 4).c_str(), "Essai");
        const int base = niveau(alea);
        for (short v = 1; v <= vols; ++v) {
            if (absence(alea) == 0)
                continue;
            for (short f = 1; f <= static_cast<short>(k.size()); ++f)
                for (short j = 1; j <= juges; ++j)
                    pilote.SetNote(v, f, j,
                                   static_cast<short>(std::clamp(base + ecart(alea), 0, 10)));
            const short bruit = absence(alea) == 0 ? short{-5} : short{0};
            for (short j = 1; j <= juges; ++j)
                pilote.SetNote(v, static_cast<short>(k.size() + 1), j, bruit);
        }
    }
}

} // namespace tavo::test
