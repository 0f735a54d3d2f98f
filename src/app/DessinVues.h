// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Geometrie.h"
#include "presentation/Presentation.h"
#include "scoring/Classements.h"

#include <memory>
#include <string>
#include <vector>

#include <QString>

namespace tavo {
class TDC;
}
class TConcours;
class TProgramme;
class TTavoWindow;

/**
 * Characteristics of the competition, laid out on the whole client rectangle;
 * `lu`, when given, receives them as text for screen readers.
 */
void DessineCaracteristiques(tavo::TDC& dc, const tavo::TRect& client, const TConcours& concours,
                             QString* lu = nullptr);

/** The five judge rows and the judges of the competition, on the whole client rectangle. */
void DessineJuges(tavo::TDC& dc, const tavo::TRect& client, const TConcours& concours,
                  QString* lu = nullptr);

// The score sheet (mode 3): pixel coordinates in the sheet's own space.

/** The whole sheet of the window's current pilot and flight. */
void DessineFeuilleNotes(tavo::TDC& dc, TTavoWindow& fenetre);
/**
 * Moves the highlight within judge column `colonne` from line `ancienne` to
 * line `nouvelle`: the old cell drawn plain, the new one in light green when
 * `surbrillance` is set.
 */
void DessineSurbrillance(tavo::TDC& dc, const TTavoWindow& fenetre, short colonne, short ancienne,
                         short nouvelle, bool surbrillance);
/** The sheet's cell of judge column c and line l (both from 1). */
tavo::TRect CelluleFeuille(int colonne, int ligne);
/** The sheet's header cell of judge column c. */
tavo::TRect EnteteFeuille(int colonne);

// The ranking and statistics views. Each computes what it shows and draws into
// a width of `largeur` pixels from the origin; the tables draw only the rows
// that meet `visible` (drawing coordinates) and, given `lu`, write there the
// rows drawn as text for screen readers. The window computes a view once per
// change and paints it with `tavo::vues::DessineTableVue` and the overloads
// below that take what was computed.

/** Pilot ranking after n flights (1 to 4). */
void DessineClassementPilotes(tavo::TDC& dc, int largeur, TConcours& concours, int n,
                              bool rapport1000, const tavo::TRect& visible,
                              std::string* lu = nullptr);
/** Fly-off ranking after k fly-offs (1 to 4); false when the category has no rule for it. */
bool DessineClassementFlyOff(tavo::TDC& dc, int largeur, TConcours& concours, int k,
                             const tavo::TRect& visible, std::string* lu = nullptr);
/**
 * The rows of the judge ranking at its last paint. Recomputing a large competition's flight on
 * every paint would make scrolling stutter, so the window keeps the rows while nothing can have
 * changed them: the same competition, flight and number of pilots, the same programme read again
 * from its file, and no command or key stroke since (`Oublie`).
 */
class TClassementJugesAffiche
{
public:
    /** Flight `vol`'s ranking on the loaded programme, computed again only when needed. */
    std::shared_ptr<const tavo::ClassementJuges> Calcule(TConcours& concours, int vol);
    void Oublie() { m_valide = false; }

private:
    const TConcours* m_concours = nullptr;
    int m_vol = 0;
    int m_pilotes = 0;
    std::vector<int> m_programme;
    std::shared_ptr<const tavo::ClassementJuges> m_classement;
    bool m_valide = false;
};

/**
 * Judge ranking of flight v (1 to 7), its programme loaded again from `repProgrammes` at
 * each paint, its rows from `affiche`.
 */
void DessineClassementJuges(tavo::TDC& dc, int largeur, TConcours& concours, int v,
                            const std::string& repProgrammes, const tavo::TRect& visible,
                            TClassementJugesAffiche& affiche, std::string* lu = nullptr);
/** Score diagram of judge j (1 to 5). */
void DessineDiagramme(tavo::TDC& dc, TConcours& concours, int j, const std::string& repProgrammes);
/** A score diagram computed already, as the view draws it. */
void DessineDiagramme(tavo::TDC& dc, const tavo::DiagrammeVue& diagramme);
/** TBL profile of the judges on flight v (1 to 7), its programme loaded again. */
void DessineProfilTBL(tavo::TDC& dc, int largeur, TConcours& concours, int v,
                      const std::string& repProgrammes);
/** A TBL profile computed already (`PresenteProfil`), as the view draws it. */
void DessineProfilTBL(tavo::TDC& dc, int largeur, const tavo::TableVue& table);

/** What a flight's scores depend on in a programme: its lines and their K factors. */
std::vector<int> SignatureProgramme(const TProgramme& programme);
