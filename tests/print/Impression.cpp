// SPDX-License-Identifier: GPL-3.0-or-later
#include "Impression.h"

#include "model/Fichier.h"

#include <QProcess>

namespace tavo::test {

std::vector<std::vector<TTrace>> Pages(TPrintout& printout, TSize page, int dpi)
{
    TRecordingDC dc(dpi, page.cx, page.cy);
    printout.SetPrintParams(&dc, page);
    printout.BeginPrinting();
    printout.BeginDocument(1, 100);
    std::vector<std::vector<TTrace>> pages;
    for (int p = 1; p <= 100 && printout.HasPage(p); ++p) {
        dc.Efface();
        printout.RenderPage(p);
        dc.RestoreObjects();
        pages.push_back(dc.Traces());
    }
    printout.EndDocument();
    printout.EndPrinting();
    printout.SetPrintParams(nullptr, TSize{});
    return pages;
}

QStringList Textes(const std::vector<TTrace>& page)
{
    QStringList textes;
    for (const TTrace& t : page)
        if (t.Genre == TTrace::Type::Texte || t.Genre == TTrace::Type::TexteCadre)
            textes << t.Texte;
    return textes;
}

const TTrace* Cherche(const std::vector<TTrace>& page, const QString& texte)
{
    for (const TTrace& t : page)
        if (t.Genre == TTrace::Type::Texte && t.Texte == texte)
            return &t;
    return nullptr;
}

std::vector<TRect> Lignes(const std::vector<TTrace>& page, bool horizontales)
{
    std::vector<TRect> lignes;
    for (const TTrace& t : page)
        if (t.Genre == TTrace::Type::Ligne &&
            (horizontales ? t.Rect.top == t.Rect.bottom : t.Rect.left == t.Rect.right))
            lignes.push_back(t.Rect);
    return lignes;
}

QString TextePdf(const QString& chemin, int page)
{
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    arguments << chemin << QStringLiteral("-");
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), arguments);
    if (!pdftotext.waitForFinished() || pdftotext.exitStatus() != QProcess::NormalExit ||
        pdftotext.exitCode() != 0)
        return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

void EcritProgramme(const std::string& chemin,
                    const std::vector<std::pair<std::string, int>>& figures, int typeBruit,
                    int typeConformite)
{
    std::string texte = "Essai\r\n1/9/2025\r\n" + std::to_string(typeBruit) + "\r\n";
    if (typeBruit != 0)
        texte += "1\r\n";
    texte += std::to_string(typeConformite) + "\r\n";
    if (typeConformite != 0)
        texte += "2\r\n";
    texte += "\r\n" + std::to_string(figures.size()) + "\r\n";
    for (const auto& [nom, k] : figures)
        texte += nom + "\r\n" + std::to_string(k) + "\r\n";
    EcritFichierSur(chemin, texte);
}

} // namespace tavo::test
