// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/Messages.h"

#include "model/Concours.h"
#include "model/Cp1252.h"
#include "scoring/Classements.h"

namespace tavo {

std::string MessageStatut(const Statut& statut)
{
    switch (statut.manque) {
    case Manque::Rien:
        return {};
    case Manque::Programmes:
        return messages::PROGRAMME_MANQUANT;
    case Manque::ProgrammeVol:
        return messages::ProgrammeVolIntrouvable(statut.vol);
    case Manque::ProgrammeVolDefini:
        return messages::ProgrammeVolNonDefini(statut.vol);
    }
    return {};
}

std::string ProgrammeCherche(const TConcours& concours, int vol, const std::string& repertoire)
{
    const std::string numero = std::to_string(vol);
    const char* nom =
        vol >= 1 && vol <= MAX_VOLS ? concours.GetProgrammeVol(static_cast<short>(vol - 1)) : "";
    if (*nom == '\0')
        return "aucun programme n'est choisi pour le vol " + numero;
    return "vol " + numero + " : « " + Cp1252VersUtf8(nom) + " » introuvable ou illisible dans « " +
           repertoire + " »";
}

} // namespace tavo

namespace tavo::messages {

std::string AlerteFeuillesManquantes(int vol, int nombre)
{
    return "Attention : vol " + std::to_string(vol) + " : " + std::to_string(nombre) +
           (nombre > 1 ? " feuilles manquantes ou incomplètes"
                       : " feuille manquante ou incomplète");
}

} // namespace tavo::messages
