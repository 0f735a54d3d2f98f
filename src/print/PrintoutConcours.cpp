// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintoutConcours.h"

#include "model/Concours.h"
#include "platform/Chaines.h"

#include <QDate>

namespace tavo {

QString TextePied()
{
    return QStringLiteral("Tavo 2000 version %1 - imprimé le %2")
        .arg(QStringLiteral(TAVO_VERSION),
             QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
}

TPrintoutConcours::TPrintoutConcours(const QString& titre, TConcours& concours,
                                     const TMarges& marges)
    : TPrintout(titre)
    , Competition(concours)
    , Margins(marges)
{
    SetBanding(false);
}

void TPrintoutConcours::GetPageRange(int& minPage, int& maxPage, int& selDe, int& selA)
{
    minPage = maxPage = selDe = selA = 0;
}

int TPrintoutConcours::Pt(int points) const
{
    return PointsEnPixels(points, Dc().GetDeviceCaps(LOGPIXELSY));
}

int TPrintoutConcours::Mm(int dixiemes) const
{
    return DixiemesMmEnPixels(dixiemes, Dc().GetDeviceCaps(LOGPIXELSY));
}

int TPrintoutConcours::MmX(int dixiemes) const
{
    return DixiemesMmEnPixels(dixiemes, Dc().GetDeviceCaps(LOGPIXELSX));
}

int TPrintoutConcours::Mm100(int centiemes) const
{
    return CentiemesMmEnPixels(centiemes, Dc().GetDeviceCaps(LOGPIXELSY));
}

TFont TPrintoutConcours::Police(int points, int poids, bool italique, const QString& face) const
{
    return TFont::Points(points, Dc().GetDeviceCaps(LOGPIXELSY), poids, italique, face);
}

int TPrintoutConcours::Choisit(const TFont& police)
{
    Dc().SelectObject(police);
    return Dc().GetTextMetrics().tmHeight;
}

int TPrintoutConcours::h(const TFont& police)
{
    // Measuring selects; callers select what they draw with right after.
    return Choisit(police);
}

void TPrintoutConcours::DebutPage()
{
    Dc().SetBkMode(TRANSPARENT);
    Dc().SetTextColor(TColor::Black);
}

void TPrintoutConcours::Centre(int y, const QString& texte)
{
    Dc().TextOut(W() / 2 - Largeur(texte) / 2, y, texte);
}

void TPrintoutConcours::CentreSur(int x, int y, const QString& texte)
{
    Dc().TextOut(x - Largeur(texte) / 2, y, texte);
}

void TPrintoutConcours::ADroite(int x, int y, const QString& texte)
{
    Dc().TextOut(x - Largeur(texte), y, texte);
}

void TPrintoutConcours::CentreSurPoint(int x, int y, const QString& texte)
{
    const TSize taille = Dc().GetTextExtent(texte);
    Dc().TextOut(x - taille.cx / 2, y - Dc().GetTextMetrics().tmHeight / 2, texte);
}

void TPrintoutConcours::Ligne(int x1, int y1, int x2, int y2)
{
    Dc().MoveTo(x1, y1);
    Dc().LineTo(x2, y2);
}

void TPrintoutConcours::Pied(int y)
{
    Choisit(Police(10));
    Centre(y, TextePied());
}

// Flowing printouts

bool TPrintoutDefilant::HasPage(int page)
{
    if (page <= 1)
        return true;
    return m_pagePleine && m_lignesTotal >= 0 && NextRow < m_lignesTotal;
}

void TPrintoutDefilant::PrepareMarges(int lignes)
{
    TopMarginDev = Mm100(Margins.Haut);
    BottomMarginDev = Mm100(Margins.Bas);
    ContentHeight = (lignes + 9) * h(Police(10)) + h(Police(12)) + h(Police(12, FW_BOLD)) +
                    3 * h(Police(14, FW_NORMAL, true)) + h(Police(14, FW_BOLD)) +
                    h(Police(16, FW_BOLD)) + h(Police(20, FW_BOLD)) + 2 * Competition.NbPilotes() +
                    4;
}

int TPrintoutDefilant::EnTete(const QString& nom, const QString& qualificatif)
{
    const int h10 = h(Police(10));
    int m = 0;
    auto ligne = [&](const TFont& police, const QString& texte, int apres) {
        const int hauteur = Choisit(police);
        Centre(TopMarginDev + m, texte);
        m += hauteur + apres;
    };
    ligne(Police(20, FW_BOLD), Texte(Competition.GetTitre()), h10);
    ligne(Police(16, FW_BOLD), QStringLiteral("Série ") + Texte(Competition.GetSerie()), h10);
    ligne(Police(14, FW_NORMAL, true), Texte(Competition.GetLieu()), 0);
    ligne(Police(14, FW_NORMAL, true), Texte(Competition.GetDepartement()), h10);
    ligne(Police(14, FW_NORMAL, true),
          Texte(Competition.GetDateDebut()) + QStringLiteral(" au ") +
              Texte(Competition.GetDateFin()),
          h10);
    ligne(Police(14, FW_BOLD), nom, h10);
    ligne(Police(12), qualificatif, 3 * h10);
    return m;
}

TPrintoutDefilant::Geometrie TPrintoutDefilant::Tetes(int& m, const std::vector<TColonne>& colonnes)
{
    Geometrie g;
    int total = 0;
    for (const TColonne& c : colonnes)
        total += c.Largeur;
    const int gauche = W() / 2 - Mm(total) / 2;
    int cumul = 0;
    for (const TColonne& c : colonnes) {
        g.bords.push_back(gauche + Mm(cumul));
        cumul += c.Largeur;
    }
    g.bords.push_back(gauche + Mm(cumul));

    const int h10 = h(Police(10));
    const int hTete = Choisit(Police(12, FW_BOLD));
    for (std::size_t c = 0; c < colonnes.size(); ++c) {
        const TColonne& colonne = colonnes[c];
        TColonne tete = colonne;
        tete.AlignValeur = colonne.AlignTete;
        Ecrit(g, tete, c, TopMarginDev + m, colonne.Tete);
    }
    m += hTete + 2;
    g.haut = TopMarginDev + m;
    g.ligne = h10 + 2;
    m += g.ligne;
    Choisit(Police(10));
    return g;
}

void TPrintoutDefilant::Ecrit(const Geometrie& g, const TColonne& colonne, std::size_t c, int y,
                              const QString& texte)
{
    const int gauche = g.bords[c];
    const int droite = g.bords[c + 1];
    switch (colonne.AlignValeur) {
    case TColonne::Alignement::Gauche:
        Dc().TextOut(gauche, y, texte);
        break;
    case TColonne::Alignement::Centre:
        CentreSur((gauche + droite) / 2, y, texte);
        break;
    case TColonne::Alignement::Droite:
        ADroite(droite, y, texte);
        break;
    case TColonne::Alignement::DroiteTable:
        ADroite(g.bords.back(), y, texte);
        break;
    }
}

bool TPrintoutDefilant::LigneTient(int m)
{
    return m + h(Police(10)) + 2 < H() - TopMarginDev - BottomMarginDev;
}

void TPrintoutDefilant::Regles(const Geometrie& g, const std::vector<TColonne>& colonnes,
                               int rangees)
{
    Dc().SelectObject(TPen{});
    const int gauche = g.bords.front();
    const int droite = g.bords.back();
    for (int s = 0; s <= rangees + 1; ++s)
        Ligne(gauche, g.haut + s * g.ligne, droite, g.haut + s * g.ligne);
    const int bas = g.haut + (rangees + 1) * g.ligne;
    for (std::size_t c = 0; c <= colonnes.size(); ++c)
        if (c == 0 || c == colonnes.size() || colonnes[c].RegleAGauche)
            Ligne(g.bords[c], g.haut + g.ligne, g.bords[c], bas);
}

} // namespace tavo
