// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintoutConcours.h"

#include <string>
#include <vector>

namespace tavo {

struct ContenuFeuille;

/** Pilot ranking after N flights (1 to 4): "classement après N vols". */
class TTavoPrintout : public TPrintoutDefilant
{
public:
    TTavoPrintout(TConcours& concours, const TMarges& marges, int vols, bool rapport1000);
    /** "Classement après 2 vols". */
    QString GetNomFichier() const override;
    Tables CalculeTables() override;
    static QString Titre(int vols);

    int RankingRule;
    int FlightCount;
    bool Rapport1000;
};

/** Pilot ranking after k fly-offs (1 to 4): "classement après k fly-off". */
class TTavoPrintoutFly : public TPrintoutDefilant
{
public:
    TTavoPrintoutFly(TConcours& concours, const TMarges& marges, int flyoffs);
    /** "Classement après 1 fly-off". */
    QString GetNomFichier() const override;
    Tables CalculeTables() override;
    static QString Titre(int flyoffs);

    int RankingRule;
    int FlyOffNumber;
};

/**
 * The judges' ranking on one flight (1 to 7): "classement des juges"; with `accord`, the
 * judges' agreement figures at its foot.
 */
class TTavoPrintoutClstJuge : public TPrintoutDefilant
{
public:
    TTavoPrintoutClstJuge(TConcours& concours, const TMarges& marges, int vol, bool accord = false);
    /** "Classement des juges - vol 3". */
    QString GetNomFichier() const override;
    Tables CalculeTables() override;

    int FlightNumber;
    bool Accord;
};

/** The pilots in bib order (1) or alphabetical order (2): "Liste des pilotes". */
class TTavoPrintoutList : public TPrintoutDefilant
{
public:
    TTavoPrintoutList(TConcours& concours, const TMarges& marges, int ordre);
    /** "Liste des pilotes", "Liste des pilotes - ordre alphabétique". */
    QString GetNomFichier() const override;
    Tables CalculeTables() override;

    int ListOrder;
};

/** The score sheet of the competition's current pilot and flight: "la feuille de note". */
class TTavoPrintoutNotes : public TPrintoutConcours
{
public:
    TTavoPrintoutNotes(TConcours& concours, const TMarges& marges);
    /** "Feuille de note - dossard 7 - vol 1": the current pilot's, the current flight. */
    QString GetNomFichier() const override;
    void RenderPage(int page) override;

private:
    void Identite(int T, int X0, int g);
    /** The programme's name, "K" and each judge's abbreviated name over the grid. */
    void TetesGrille(int T, int X0, const ContenuFeuille& contenu);
    int Grille(int T, int X0, const ContenuFeuille& contenu);
    void Resultats(int X0, int y, const ContenuFeuille& contenu);
};

/** The judges' blank sheet of one flight: "Programme de vol 1", "Programme du vol 2"... */
class TTavoPrintoutPgVol : public TPrintoutConcours
{
public:
    TTavoPrintoutPgVol(TConcours& concours, const TMarges& marges, int vol,
                       const QString& repertoireDepart);
    /** "Programme du vol 2". */
    QString GetNomFichier() const override;
    void RenderPage(int page) override;
    static QString Titre(int vol);

    QString RepertoireDepart;

private:
    void EnTeteFormulaire(int T, int X0);
    int LigneFigure(int X0, int y, const QString& numero, const QString& nom, int k);
    /** Every line of the programme from y; returns the y below the last. */
    int Figures(int X0, int y);

    int m_vol;
    int m_ecart = 0;       ///< the space around each name, hundredths of a millimetre
    bool m_mesure = false; ///< the lines only measured, not drawn
};

/** The competition report: "Procès-verbal de concours". */
class TTavoPrintoutPVerbal : public TPrintoutConcours
{
public:
    TTavoPrintoutPVerbal(TConcours& concours, const TMarges& marges,
                         const QString& repertoireDepart);
    /** One page, and a second for the signatures when the texts are too long for one. */
    bool HasPage(int page) override;
    void RenderPage(int page) override;

    QString RepertoireDepart;

private:
    /** The federation's lines and the underlined title. */
    void EnTeteRapport(int T, int X0);
    /** Date, place, organiser and category. */
    void Identification(int T, int X0);
    /** The officials, the participants and the report's texts; returns the y below them. */
    int Rubriques(int T, int X0);
    /** The director's signature lines, 15 mm below y. */
    void Signatures(int T, int X0, int y);
    /** The bottom of the signature block (room to sign included) under a last field at y. */
    int FinSignatures(int y);
    int Champ(int T, int X0, int y, const QString& label, const QString& valeur);
    int ChampLigne(int T, int X0, int y, const QString& label, const QString& valeur);
    void Soulignee(int T, int x, int y, const QString& texte, int fin);

    int m_points = 12;     ///< the wrapped fields' font
    bool m_mesure = false; ///< the fields only measured, not drawn
    bool m_tientSurUnePage = true;
};

/** One judge's marks over the competition as a bar chart: "Diagramme des notes". */
class TTavoPrintoutDiagJuge : public TPrintoutConcours
{
public:
    TTavoPrintoutDiagJuge(TConcours& concours, const TMarges& marges, int juge,
                          const std::string& repProgrammes);
    /** "Diagramme du juge 2". */
    QString GetNomFichier() const override;
    void RenderPage(int page) override;

    std::string RepProgrammes;
    int JudgeNumber;
};

/** A judge's link to the field server, printed as a QR code. */
struct CodeJuge
{
    int juge = 1;
    std::string nom;  ///< UTF-8
    std::string lien; ///< the link with the judge's key
};

/** One page per judge: "Juge J : NOM", the QR code of his link and the link. */
class TTavoPrintoutCodes : public TPrintoutConcours
{
public:
    TTavoPrintoutCodes(TConcours& concours, const TMarges& marges, std::vector<CodeJuge> codes);
    void GetPageRange(int& minPage, int& maxPage, int& selDe, int& selA) override;
    bool HasPage(int page) override;
    void RenderPage(int page) override;

private:
    std::vector<CodeJuge> m_codes;
};

/** The federation bitmap in the start directory. */
QString CheminFfam(const QString& repertoireDepart);

/**
 * Draws the federation bitmap into the rectangle of width `largeur` whose
 * top left is (x, y), keeping its proportions; a missing or damaged file
 * leaves an empty frame of the same width, square.
 */
void DessineFfam(TDC& dc, const QString& chemin, int x, int y, int largeur);

} // namespace tavo
