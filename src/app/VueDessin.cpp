// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VueDessin.h"

#include "model/Concours.h"
#include "platform/Chaines.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace tavo::vues {

TFont Police(const TDC& dc, int points, int poids, bool italique)
{
    return TFont::Points(points, dc.GetDeviceCaps(LOGPIXELSY), poids, italique);
}

int Selectionne(TDC& dc, const TFont& police)
{
    dc.SelectObject(police);
    return dc.GetTextMetrics().tmHeight;
}

void Ecrit(TDC& dc, int x, int y, const QString& texte, Alignement alignement)
{
    switch (alignement) {
    case Alignement::Gauche:
        dc.TextOut(x, y, texte);
        break;
    case Alignement::Centre:
        dc.TextOut(x - dc.GetTextExtent(texte).cx / 2, y, texte);
        break;
    case Alignement::Droite:
        dc.TextOut(x - dc.GetTextExtent(texte).cx, y, texte);
        break;
    }
}

void PrepareEncre(TDC& dc)
{
    dc.SetTextColor(TColor::White);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(TPen{TColor::White, 1});
}

int MargeHaut(const TDC& dc)
{
    return dc.GetDeviceCaps(LOGPIXELSY) * 100 / 2540;
}

int DessineBlocTitre(TDC& dc, int largeur, int haut, const TConcours& concours,
                     const QString& entete, const QString& sousTitre)
{
    const int x = largeur / 2;
    const int dix = Selectionne(dc, Police(dc, 10));
    int y = haut;

    const int titre = Selectionne(dc, Police(dc, 20, FW_BOLD));
    Ecrit(dc, x, y, Texte(concours.GetTitre()), Alignement::Centre);
    y += titre + dix;

    const int serie = Selectionne(dc, Police(dc, 16, FW_BOLD));
    Ecrit(dc, x, y, QStringLiteral("Série ") + Texte(concours.GetSerie()), Alignement::Centre);
    y += serie + dix;

    const int italique = Selectionne(dc, Police(dc, 14, FW_NORMAL, true));
    Ecrit(dc, x, y, Texte(concours.GetLieu()), Alignement::Centre);
    y += italique;
    Ecrit(dc, x, y, Texte(concours.GetDepartement()), Alignement::Centre);
    y += italique + dix;
    Ecrit(dc, x, y,
          Texte(concours.GetDateDebut()) + QStringLiteral(" au ") + Texte(concours.GetDateFin()),
          Alignement::Centre);
    y += italique + dix;

    const int gras = Selectionne(dc, Police(dc, 14, FW_BOLD));
    Ecrit(dc, x, y, entete, Alignement::Centre);
    y += gras + dix;

    const int douze = Selectionne(dc, Police(dc, 12));
    Ecrit(dc, x, y, sousTitre, Alignement::Centre);
    return y + douze + 3 * dix;
}

Tableau::Tableau(TDC& dc, int largeur, std::vector<Colonne> colonnes)
    : m_dc(dc)
    , m_colonnes(std::move(colonnes))
{
    int total = 0;
    for (const Colonne& c : m_colonnes)
        total += c.dixiemes;
    // Each edge from the running width, so that rounding does not add up along the row.
    const int gauche = largeur / 2 - dc.Mm(total) / 2;
    int cumul = 0;
    m_bords.push_back(gauche);
    for (const Colonne& c : m_colonnes) {
        cumul += c.dixiemes;
        m_bords.push_back(gauche + dc.Mm(cumul));
    }
    m_hauteurLigne = Selectionne(dc, Police(dc, 10)) + 2;
}

int Tableau::Ancre(std::size_t c, Alignement alignement) const
{
    switch (alignement) {
    case Alignement::Gauche:
        return m_bords[c];
    case Alignement::Centre:
        return (m_bords[c] + m_bords[c + 1]) / 2;
    case Alignement::Droite:
        break;
    }
    return m_bords[c + 1];
}

int Tableau::DessineEntete(int y)
{
    const int hauteur = Selectionne(m_dc, Police(m_dc, 12, FW_BOLD));
    for (std::size_t c = 0; c < m_colonnes.size(); ++c)
        Ecrit(m_dc, Ancre(c, m_colonnes[c].alignTitre), y, m_colonnes[c].titre,
              m_colonnes[c].alignTitre);
    return y + hauteur + 2;
}

std::pair<int, int> Tableau::LignesVisibles(int grille, int lignes, const TRect& visible) const
{
    // Row i spans from its rule above to its rule below.
    const int premier = grille - 1 + m_hauteurLigne;
    const int debut = std::clamp((visible.top - premier) / m_hauteurLigne - 1, 0, lignes);
    const int fin = std::clamp((visible.bottom - premier) / m_hauteurLigne + 1, debut, lignes);
    return {debut, fin};
}

void Tableau::DessineFilets(int grille, int lignes, const TRect& visible)
{
    const int h = m_hauteurLigne;
    // Horizontal rules above and below the empty band and under every row.
    const int premiere = std::max(0, (visible.top - grille) / h - 1);
    const int derniere = std::min(lignes + 1, (visible.bottom - grille) / h + 2);
    for (int i = premiere; i <= derniere; ++i) {
        const int y = grille - 1 + i * h;
        m_dc.MoveTo(Gauche(), y);
        m_dc.LineTo(Droite(), y);
    }
    if (lignes == 0)
        return;
    // Vertical rules over the data rows, cut to what can be seen.
    const int haut = std::max(grille - 1 + h, visible.top - 1);
    const int bas = std::min(grille - 1 + (lignes + 1) * h, visible.bottom + 1);
    if (haut >= bas)
        return;
    auto verticale = [&](int x) {
        m_dc.MoveTo(x, haut);
        m_dc.LineTo(x, bas);
    };
    verticale(Gauche());
    for (std::size_t c = 0; c + 1 < m_colonnes.size(); ++c)
        if (m_colonnes[c].filet)
            verticale(m_bords[c + 1]);
    verticale(Droite());
}

void Tableau::PoliceLignes()
{
    m_dc.SelectObject(Police(m_dc, 10));
}

void Tableau::DessineLigne(int y, const std::vector<QString>& cellules)
{
    for (std::size_t c = 0; c < cellules.size() && c < m_colonnes.size(); ++c)
        Ecrit(m_dc, Ancre(c, m_colonnes[c].alignCellule), y, cellules[c],
              m_colonnes[c].alignCellule);
}

QString Nombre(const char* format, double valeur)
{
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, format, valeur);
    return QString::fromLatin1(tampon);
}

QString NomPrenom(const std::string& nom, const std::string& prenom)
{
    return tavo::NomPrenom(nom.c_str(), prenom.c_str());
}

} // namespace tavo::vues
