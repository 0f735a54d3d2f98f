// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DessinVues.h"
#include "model/Concours.h"
#include "platform/Chaines.h"
#include "platform/DC.h"

#include <QStringList>

using tavo::TColor;
using tavo::TDC;
using tavo::TRect;

namespace {

constexpr unsigned GAUCHE = tavo::DT_LEFT | tavo::DT_VCENTER | tavo::DT_SINGLELINE;
constexpr unsigned CENTRE = tavo::DT_CENTER | tavo::DT_VCENTER | tavo::DT_SINGLELINE;

void texte(TDC& dc, const QString& t, const TRect& r, unsigned format, TColor encre, TColor fond)
{
    dc.SetTextColor(encre);
    dc.SetBkColor(fond);
    dc.DrawText(t, r, format);
}

} // namespace

void DessineCaracteristiques(TDC& dc, const TRect& client, const TConcours& concours, QString* lu)
{
    const int W = client.right;
    const int H = client.bottom;
    const int c = (W - 10) / 4;
    const int r = (H - 18) / 10;
    dc.FillRect(TRect{5, 5, W - 5, 8}, TColor::Black);
    dc.FillRect(TRect{5, 8, W - 5, 2 * r + 8}, TColor::Purple);
    dc.FillRect(TRect{5, 2 * r + 8, W - 5, 2 * r + 10}, TColor::Black);
    dc.FillRect(TRect{5, 2 * r + 10, c + 5, 10 * r + 10}, TColor::LtGray);
    dc.FillRect(TRect{5, 10 * r + 10, W - 5, 10 * r + 13}, TColor::Black);

    texte(dc, QStringLiteral("  Titre du concours"), TRect{5, 8, c + 5, 2 * r + 8}, GAUCHE,
          TColor::White, TColor::Purple);
    texte(dc, tavo::Texte(concours.GetTitre()), TRect{c + 5, 8, 4 * c + 5, 2 * r + 8}, CENTRE,
          TColor::White, TColor::Purple);

    const QString lignes[8][2] = {
        {QStringLiteral("  Lieu du concours"), tavo::Texte(concours.GetLieu())},
        {QStringLiteral("  Département"), tavo::Texte(concours.GetDepartement())},
        {QStringLiteral("  Série"), tavo::Texte(concours.GetSerie())},
        {QStringLiteral("  Date de début"), tavo::Texte(concours.GetDateDebut())},
        {QStringLiteral("  Date de fin"), tavo::Texte(concours.GetDateFin())},
        {QStringLiteral("  Nombre de pilotes"), QString::number(concours.NbPilotes())},
        {QStringLiteral("  Nombre de juges"), QString::number(concours.GetNbJuges())},
        {QStringLiteral("  Nombre de vols"), QString::number(concours.GetNbVols())},
    };
    for (int i = 2; i <= 9; ++i) {
        const int haut = 10 + i * r;
        const int bas = 10 + (i + 1) * r;
        texte(dc, lignes[i - 2][0], TRect{5, haut, c + 5, bas}, GAUCHE, TColor::Black,
              TColor::LtGray);
        texte(dc, lignes[i - 2][1], TRect{c + 5, haut, 4 * c + 5, bas}, CENTRE, TColor::White,
              TColor::LtBlue);
    }
    if (lu) {
        *lu = QStringLiteral("Titre du concours : ") + tavo::Texte(concours.GetTitre());
        for (const auto& [libelle, valeur] : lignes)
            *lu += u'\n' + libelle.trimmed() + QStringLiteral(" : ") + valeur;
    }
}

void DessineJuges(TDC& dc, const TRect& client, const TConcours& concours, QString* lu)
{
    const int W = client.right;
    const int H = client.bottom;
    const int c = (W - 10) / 5;
    const int r = (H - 18) / 6;
    dc.FillRect(TRect{5, 5, W - 5, 8}, TColor::Black);
    dc.FillRect(TRect{5, 8, W - 5, r + 8}, TColor::Purple);
    dc.FillRect(TRect{5, r + 8, W - 5, r + 10}, TColor::Black);
    dc.FillRect(TRect{5, r + 10, c + 5, 6 * r + 10}, TColor::LtGray);
    dc.FillRect(TRect{5, 6 * r + 10, W - 5, 6 * r + 13}, TColor::Black);

    for (int i = 1; i <= 5; ++i)
        texte(dc, QStringLiteral("Juge %1").arg(i), TRect{5, i * r + 10, c + 5, (i + 1) * r + 10},
              CENTRE, TColor::Black, TColor::LtGray);

    const QString titres[4] = {QStringLiteral("Nom"), QStringLiteral("Prénom"),
                               QStringLiteral("Club"), QStringLiteral("Licence")};
    for (int k = 0; k < 4; ++k)
        texte(dc, titres[k], TRect{(k + 1) * c + 5, 8, (k + 2) * c + 5, r + 8}, CENTRE,
              TColor::White, TColor::Purple);

    int i = 1;
    for (const TJuge& juge : concours.GetJuges()) {
        // Only the five rows of the grid are drawn, whatever a file brought.
        if (i > 5)
            break;
        const QString valeurs[4] = {tavo::Texte(juge.GetNom()), tavo::Texte(juge.GetPrenom()),
                                    tavo::Texte(juge.GetClub()), tavo::Texte(juge.GetLicence())};
        for (int k = 0; k < 4; ++k)
            texte(dc, valeurs[k],
                  TRect{(k + 1) * c + 5, i * r + 10, (k + 2) * c + 5, (i + 1) * r + 10}, CENTRE,
                  TColor::White, TColor::LtBlue);
        if (lu)
            *lu += QStringLiteral("Juge %1 : ").arg(i) +
                   QStringList(valeurs, valeurs + 4).join(u", ") + u'\n';
        ++i;
    }
}
