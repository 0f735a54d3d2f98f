// SPDX-License-Identifier: GPL-3.0-or-later
// The federation bitmap of the federation's forms.
#include "model/Emplacements.h"
#include "platform/Chaines.h"
#include "platform/DC.h"
#include "platform/Lecture.h"
#include "print/Printouts.h"

namespace tavo {

QString CheminFfam(const QString& repertoireDepart)
{
    // The start-up directory's own picture, else the installed one.
    return CheminQt(CheminDonnee(CheminNatif(repertoireDepart), "ffam.bmp").c_str());
}

void DessineFfam(TDC& dc, const QString& chemin, int x, int y, int largeur)
{
    const QSize taille = LitImage(chemin).size();
    if (taille.width() > 0 && taille.height() > 0) {
        const int hauteur =
            static_cast<int>(static_cast<long long>(largeur) * taille.height() / taille.width());
        if (dc.StretchBitmap(chemin, TRect{x, y, x + largeur, y + hauteur}))
            return;
    }
    // No picture: its place stays outlined, so the form keeps its shape.
    dc.SelectObject(TPen{});
    dc.SelectObject(TBrush{TColor::White, StyleBrosse::Vide});
    dc.Rectangle(x, y, x + largeur, y + largeur);
}

} // namespace tavo
