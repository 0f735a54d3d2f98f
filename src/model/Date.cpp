// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Date.h"

#include "model/EcritureTexte.h"
#include "model/LecteurTexte.h"
#include "model/Texte.h"

#include <cstdio>
#include <ctime>
#include <string_view>

Date::Date()
{
    AujourdHui();
}

Date::Date(short jour, short mois, short annee)
{
    SetDate(jour, mois, annee);
}

void Date::AujourdHui()
{
    const std::time_t maintenant = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &maintenant);
#else
    localtime_r(&maintenant, &local);
#endif
    SetDate(static_cast<short>(local.tm_mday), static_cast<short>(local.tm_mon + 1),
            static_cast<short>(local.tm_year + 1900));
}

void Date::SetDate(short jour, short mois, short annee)
{
    Jour = jour;
    Mois = mois;
    Annee = annee;
    ConstruitTexte();
}

void Date::ConstruitTexte()
{
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "%s%d/%s%d/%d", Jour <= 9 ? "0" : "", Jour,
                  Mois < 10 ? "0" : "", Mois, Annee);
    tavo::CopieTexte(Texte, tampon);
}

void Date::SetTexte(const char* texte)
{
    tavo::CopieTexte(Texte, texte);
    const std::string_view t(Texte);
    auto nombre = [&t](std::size_t debut, std::size_t longueur) {
        if (debut >= t.size())
            return short{0};
        return static_cast<short>(tavo::ValeurEntiere(t.substr(debut, longueur)));
    };
    Jour = nombre(0, 2);
    Mois = nombre(3, 2);
    Annee = nombre(6, 4);
}

void Date::Ecrit(std::string& sortie) const
{
    tavo::AjouteEntier(sortie, Jour);
    sortie += '/';
    tavo::AjouteEntier(sortie, Mois);
    sortie += '/';
    tavo::AjouteLigneEntier(sortie, Annee);
}

bool Date::Lit(tavo::LecteurTexte& lecteur)
{
    long jour = 0;
    long mois = 0;
    long long annee = 0;
    if (!lecteur.LitJusqua('/', jour) || !lecteur.LitJusqua('/', mois) || !lecteur.LitEntier(annee))
        return false;
    lecteur.SauteFinLigne();
    auto court = [](long long v) {
        return static_cast<short>(v < -32768 ? -32768 : (v > 32767 ? 32767 : v));
    };
    SetDate(court(jour), court(mois), court(annee));
    return true;
}

std::string tavo::MaintenantLocal(const char* format)
{
    const std::time_t maintenant = std::time(nullptr);
    std::tm local{};
    char texte[64] = "";
    if (localtime_r(&maintenant, &local) != nullptr)
        std::strftime(texte, sizeof texte, format, &local);
    return texte;
}
