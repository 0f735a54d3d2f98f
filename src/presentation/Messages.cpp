// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/Messages.h"

#include "model/Concours.h"
#include "model/Cp1252.h"
#include "scoring/Classements.h"

namespace tavo {

std::string messages::ProgrammesManquants(int vol, const std::string& programme, int nbVols)
{
    std::string message = PROGRAMME_MANQUANT;
    const std::string v = std::to_string(vol);
    if (vol < 1)
        return message;
    if (vol > nbVols)
        return message + " : le concours n'a que " + std::to_string(nbVols) +
               (nbVols == 1 ? " vol, le vol " : " vols, le vol ") + v + " n'a pas de programme";
    if (programme.empty())
        return message + " : le vol " + v + " n'a pas de programme";
    return message + " : le programme du vol " + v + ", « " + Cp1252VersUtf8(programme) +
           " », est introuvable";
}

std::string MessageStatut(const Statut& statut)
{
    switch (statut.manque) {
    case Manque::Rien:
        return {};
    case Manque::Programmes:
        return messages::ProgrammesManquants(statut.vol, statut.programme, statut.nbVols);
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
