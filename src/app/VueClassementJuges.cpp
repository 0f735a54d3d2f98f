// SPDX-License-Identifier: GPL-3.0-or-later
// The judge ranking of a flight.
#include "app/DessinVues.h"
#include "app/VueDessin.h"
#include "model/Concours.h"
#include "presentation/Presentation.h"

using namespace tavo;

std::vector<int> SignatureProgramme(const TProgramme& programme)
{
    std::vector<int> signature{programme.NbFigures(), programme.GetTypeBruit(),
                               programme.GetKBruit(), programme.GetTypeConformite(),
                               programme.GetKConformite()};
    for (short k = 0; k < programme.NbFigures(); ++k)
        signature.push_back(programme.GetK(k));
    return signature;
}

std::shared_ptr<const ClassementJuges> TClassementJugesAffiche::Calcule(TConcours& concours,
                                                                        int vol)
{
    std::vector<int> signature = SignatureProgramme(concours.GetProgramme());
    if (!m_valide || m_concours != &concours || m_vol != vol || m_pilotes != concours.NbPilotes() ||
        m_programme != signature) {
        m_classement =
            std::make_shared<const ClassementJuges>(CalculeClassementJuges(concours, vol));
        m_concours = &concours;
        m_vol = vol;
        m_pilotes = concours.NbPilotes();
        m_programme = std::move(signature);
        m_valide = true;
    }
    return m_classement;
}

void DessineClassementJuges(TDC& dc, int largeur, TConcours& concours, int v,
                            const std::string& repProgrammes, const TRect& visible,
                            TClassementJugesAffiche& affiche, std::string* lu)
{
    // The programme is loaded again: a printout may have loaded another flight's since.
    if (!concours.ChargeProgramme(static_cast<short>(v), repProgrammes)) {
        affiche.Oublie();
        vues::DessineProgrammeIntrouvable(dc, largeur, concours, GenreVue::ClassementJuges, v);
        return;
    }
    vues::DessineTableVue(
        dc, largeur, PresenteClassementJuges(concours, affiche.Calcule(concours, v)), visible, lu);
}
