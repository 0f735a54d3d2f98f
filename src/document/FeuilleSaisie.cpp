// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/FeuilleSaisie.h"

#include "document/Document.h"
#include "scoring/Regles.h"

namespace tavo {

TFeuilleSaisie::TFeuilleSaisie(TDocument& document)
    : m_document(document)
{}

void TFeuilleSaisie::Commence()
{
    m_colonne = 1;
    m_saisie = false; // the line is kept: mark entry starts again on line 1
}

short TFeuilleSaisie::ValeurTouche(const ToucheFeuille& touche)
{
    if (touche.chiffre < 0 || touche.chiffre > 9)
        return -1;
    switch (touche.genre) {
    case GenreTouche::Pave:
        return static_cast<short>(touche.chiffre);
    case GenreTouche::PavePlus:
        return 10;
    case GenreTouche::Principal:
        return touche.chiffre == 0 ? short{20} : static_cast<short>(10 + touche.chiffre);
    default:
        return -1;
    }
}

TPilote TFeuilleSaisie::Pilote() const
{
    return m_document.Concours().GetPiloteCourant();
}

EffetTouche TFeuilleSaisie::Touche(const ToucheFeuille& touche)
{
    const TConcours& concours = m_document.Concours();
    const short lignes = concours.GetProgramme().NbLignes();
    const short juges = JugesEffectifs(concours.GetNbJuges());
    if (touche.genre == GenreTouche::Entree || (touche.genre == GenreTouche::Echap && m_saisie)) {
        if (m_saisie) {
            m_saisie = false;
        } else if (lignes > 0) {
            // A programme without a line has no cell to type into.
            m_ligne = 1;
            m_saisie = true;
        }
        return EffetTouche::Curseur;
    }
    if (touche.genre == GenreTouche::Echap)
        return EffetTouche::Fin;
    if (!m_saisie) {
        if (touche.genre == GenreTouche::Gauche)
            m_colonne = m_colonne <= 1 ? juges : static_cast<short>(m_colonne - 1);
        else if (touche.genre == GenreTouche::Droite)
            m_colonne = m_colonne < juges ? static_cast<short>(m_colonne + 1) : short{1};
        else
            return EffetTouche::Rien;
        return EffetTouche::Curseur;
    }
    if (touche.genre == GenreTouche::Haut) {
        m_ligne = m_ligne <= 1 ? lignes : static_cast<short>(m_ligne - 1);
        return EffetTouche::Curseur;
    }
    if (touche.genre == GenreTouche::Bas) {
        m_ligne = m_ligne < lignes ? static_cast<short>(m_ligne + 1) : short{1};
        return EffetTouche::Curseur;
    }
    return ToucheNote(touche);
}

EffetTouche TFeuilleSaisie::ToucheNote(const ToucheFeuille& touche)
{
    const TProgramme& programme = m_document.Concours().GetProgramme();
    const short lignes = programme.NbLignes();
    const short figures = programme.NbFigures();
    const bool bruit = programme.GetTypeBruit() != 0 && m_ligne == figures + 1;
    const bool conformite = programme.GetTypeConformite() != 0 && m_ligne == lignes;
    if (touche.genre == GenreTouche::PaveMoins) {
        if (bruit && programme.BruitValide(-1))
            return Stocke(programme.NoteNegativeBruit());
        if (conformite && programme.ConformiteValide(-1))
            return Stocke(programme.NoteNegativeConformite());
        return EffetTouche::Rien;
    }
    const short valeur = ValeurTouche(touche);
    if (valeur < 0)
        return EffetTouche::Rien;
    if ((bruit && !programme.BruitValide(valeur)) ||
        (conformite && !programme.ConformiteValide(valeur)))
        return EffetTouche::Rien;
    return Stocke(valeur);
}

EffetTouche TFeuilleSaisie::Stocke(short note)
{
    const TConcours& concours = m_document.Concours();
    const short lignes = concours.GetProgramme().NbLignes();
    m_document.StockeNote(
        {concours.GetVolCourant(), m_ligne, m_colonne, note, concours.GetDossardCourant()});
    m_ligne = m_ligne < lignes ? static_cast<short>(m_ligne + 1) : short{1};
    return EffetTouche::Note;
}

int TFeuilleSaisie::NotesSuspectes() const
{
    const TConcours& concours = m_document.Concours();
    const TPilote pilote = Pilote();
    const short vol = concours.GetVolCourant();
    const short juges = JugesEffectifs(concours.GetNbJuges());
    int n = 0;
    for (short l = 1; l <= concours.GetProgramme().NbLignes(); ++l)
        for (short j = 1; j <= juges; ++j)
            n += pilote.GetNote(vol, l, j) > MAX_NOTE_FIGURE ? 1 : 0;
    return n;
}

ResultatFeuille TFeuilleSaisie::Termine()
{
    const TConcours& concours = m_document.Concours();
    const short vol = concours.GetVolCourant();
    const double score =
        m_document.TermineVol(concours.GetDossardCourant(), vol, concours.GetProgramme())
            .value_or(0.0);
    return ResultatFeuille{vol, score, NotesSuspectes()};
}

} // namespace tavo
