// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/Messages.h"

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

} // namespace tavo
