// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavo {
class LecteurTexte;
}

/** A judge of the panel, identified by position in the competition's list. */
class TJuge
{
public:
    void SetNom(const char* texte);
    void SetPrenom(const char* texte);
    void SetClub(const char* texte);
    void SetLicence(const char* texte);
    void SetGrade(int grade) { Grade = grade; }
    void SetMoyenne(double valeur) { Moyenne = valeur; }
    void SetEcartType(double valeur) { EcartType = valeur; }

    const char* GetNom() const { return Nom; }
    const char* GetPrenom() const { return Prenom; }
    const char* GetClub() const { return Club; }
    const char* GetLicence() const { return Licence; }
    /** 0 none, 1 "Juge Stagiaire", 2 "Juge Agréé", 3 "Juge National". */
    int GetGrade() const { return Grade; }
    double GetMoyenne() const { return Moyenne; }
    double GetEcartType() const { return EcartType; }

    /** Appends the five lines of the file form: name, first name, licence, club, grade. */
    void Ecrit(std::string& sortie) const;
    /** Reads the five lines; false when the text ends or the grade is not a number. */
    bool Lit(tavo::LecteurTexte& lecteur, bool& horsLimites);

private:
    char Nom[21] = {};
    char Prenom[16] = {};
    char Club[21] = {};
    char Licence[8] = {};
    int Grade = 0;
    double Moyenne = 0.0;
    double EcartType = 0.0;
};
