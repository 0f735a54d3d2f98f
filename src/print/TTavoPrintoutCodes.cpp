// SPDX-License-Identifier: GPL-3.0-or-later
// One page per judge of the panel: his name, the QR code of his own link and the link itself.
#include "dessin/CodeQR.h"
#include "model/Concours.h"
#include "platform/Chaines.h"
#include "print/Printouts.h"

#include <algorithm>

namespace tavo {

TTavoPrintoutCodes::TTavoPrintoutCodes(TConcours& concours, const TMarges& marges,
                                       std::vector<CodeJuge> codes)
    : TPrintoutConcours(QStringLiteral("Codes des juges"), concours, marges)
    , m_codes(std::move(codes))
{}

void TTavoPrintoutCodes::GetPageRange(int& minPage, int& maxPage, int& selDe, int& selA)
{
    minPage = selDe = 1;
    maxPage = selA = static_cast<int>(m_codes.size());
}

bool TTavoPrintoutCodes::HasPage(int page)
{
    return page >= 1 && page <= static_cast<int>(m_codes.size());
}

void TTavoPrintoutCodes::RenderPage(int page)
{
    if (!HasPage(page))
        return;
    const CodeJuge& code = m_codes[static_cast<std::size_t>(page - 1)];
    DebutPage();
    int y = GetPrintableRect().top + Mm100(2500);
    const int h16 = Choisit(Police(16, FW_BOLD));
    Centre(y, Texte(Competition.GetTitre()));
    y += h16 + Mm100(500);
    const int h28 = Choisit(Police(28, FW_BOLD));
    Centre(y, QStringLiteral("Juge %1 : %2").arg(code.juge).arg(QString::fromStdString(code.nom)));
    y += h28 + Mm100(1000);

    // 12 cm square, or what the page leaves of it.
    const int cote = std::min(Mm100(12000), LargeurUtile());
    DessineCodeQR(Dc(), EncodeQR(code.lien), W() / 2 - cote / 2, y, cote);
    y += cote + Mm100(1000);

    const int h12 = Choisit(Police(12));
    const QString consigne[] = {
        QStringLiteral("Connectez le téléphone au Wi-Fi du terrain, puis photographiez ce code"),
        QStringLiteral("avec l'appareil photo : la feuille de notes du juge s'ouvre."),
        QStringLiteral("Ce code est personnel : il donne accès à la colonne de ce juge."),
    };
    for (const QString& ligne : consigne) {
        Centre(y, ligne);
        y += h12;
    }
    y += h12;
    Choisit(Police(10, FW_NORMAL, false, QStringLiteral("Arial")));
    Centre(y, QString::fromStdString(code.lien));
    Pied(Bas() - 2 * h(Police(10)), page, static_cast<int>(m_codes.size()));
}

} // namespace tavo
