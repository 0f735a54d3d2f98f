// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/LectureConcours.h"

namespace tavo {

std::string MessageLecture(const ResultatLecture& resultat)
{
    const std::string ligne = " (ligne " + std::to_string(resultat.ligne) + ")";
    switch (resultat.code) {
    case CodeLecture::Ok:
        return {};
    case CodeLecture::FichierIntrouvable:
        return "Le fichier est introuvable ou illisible.";
    case CodeLecture::PasUnFichier:
        return "Ce n'est pas un fichier ordinaire (périphérique ou tube, par exemple).";
    case CodeLecture::FichierTropGrand:
        return "Le fichier est trop volumineux pour être un concours.";
    case CodeLecture::FinPrematuree:
        return "Le fichier est incomplet : il se termine avant la fin des données" + ligne + ".";
    case CodeLecture::NombreAttendu:
        return "Le fichier est endommagé : un nombre était attendu" + ligne + ".";
    case CodeLecture::NombreHorsLimites:
        return "Le fichier est endommagé : nombre hors limites" + ligne + ".";
    }
    return {};
}

} // namespace tavo
