// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/LectureConcours.h"

#include <string>
#include <string_view>

/**
 * The program-wide settings kept in "tavo.ini" in the start-up directory:
 * three automatic tasks, two calculation options and the two working
 * directories, then the results site's settings (automatic publication, the
 * judges' agreement on the printed judge ranking, the site's folder) on three
 * more lines, which a file of seven lines lacks, and the port of the judges'
 * field server on an eleventh, and the keyboard without a numeric keypad on a
 * twelfth. Every flag counts as set when it is non-zero.
 */
class TOption
{
public:
    /** The defaults, with the directories under the start-up directory. */
    explicit TOption(const std::string& repertoireDepart = ".");

    int GetSauvegardeAuto() const { return SauvegardeAuto; }
    int GetImpressionAuto() const { return ImpressionAuto; }
    int GetMiseEnPageAuto() const { return MiseEnPageAuto; }
    int GetRapport1000() const { return Rapport1000; }
    int GetTBL() const { return TBL; }
    const char* GetRepProgrammes() const { return RepProgrammes; }
    const char* GetRepConcours() const { return RepConcours; }
    int GetPublicationAuto() const { return PublicationAuto; }
    int GetAccordJuges() const { return AccordJuges; }
    /** The results site's folder; empty until the user chose one. */
    const char* GetRepPublication() const { return RepPublication; }
    /** The port the judges' phones reach the field server on, 1 to 65535. */
    int GetPortTerrain() const { return PortTerrain; }
    void SetPortTerrain(int port);
    /** Main-row digits type 0 to 9 on a score sheet (a keyboard without a numeric keypad). */
    int GetClavierSansPave() const { return ClavierSansPave; }
    void SetClavierSansPave(int v) { ClavierSansPave = v; }

    void SetSauvegardeAuto(int v) { SauvegardeAuto = v; }
    void SetImpressionAuto(int v) { ImpressionAuto = v; }
    void SetMiseEnPageAuto(int v) { MiseEnPageAuto = v; }
    void SetRapport1000(int v) { Rapport1000 = v; }
    void SetTBL(int v) { TBL = v; }
    void SetRepProgrammes(const char* texte);
    void SetRepConcours(const char* texte);
    void SetPublicationAuto(int v) { PublicationAuto = v; }
    void SetAccordJuges(int v) { AccordJuges = v; }
    void SetRepPublication(const char* texte);

    /** The twelve lines of the options file, CR LF line ends. */
    std::string Ecrit() const;
    /** Reads the options file form; fields not found keep their values. */
    void Lit(std::string_view contenu);

    /**
     * Reads "<repertoireDepart>/tavo.ini" when it exists. A missing file keeps the
     * values (`FichierIntrouvable`); so does one that is not a regular file or is
     * too large to be an options file, which the caller should tell.
     */
    tavo::CodeLecture Charge(const std::string& repertoireDepart);
    /** Writes "<repertoireDepart>/tavo.ini"; false when it cannot be written. */
    bool Enregistre(const std::string& repertoireDepart) const;

    /** Path of the options file for a start-up directory. */
    static std::string CheminFichier(const std::string& repertoireDepart);

private:
    int SauvegardeAuto = 0;
    int ImpressionAuto = 1;
    int MiseEnPageAuto = 1;
    int Rapport1000 = 1;
    int TBL = 0;
    char RepProgrammes[255] = {};
    char RepConcours[255] = {};
    int PublicationAuto = 0;
    int AccordJuges = 0;
    char RepPublication[255] = {};
    int PortTerrain = 8000;
    int ClavierSansPave = 0;
};
