// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Concours.h"

#include "model/EcritureTexte.h"
#include "model/Fichier.h"
#include "model/LecteurTexte.h"
#include "model/Texte.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <ostream>
#include <sstream>

using tavo::CodeLecture;
using tavo::CopieTexte;
using tavo::LecteurTexte;
using tavo::ResultatLecture;

TConcours::TConcours()
    : Programme(std::make_unique<TProgramme>())
{}

void TConcours::SetTitre(const char* t)
{
    CopieTexte(Ident.Titre, t);
}
void TConcours::SetLieu(const char* t)
{
    CopieTexte(Ident.Lieu, t);
}
void TConcours::SetDepartement(const char* t)
{
    CopieTexte(Ident.Departement, t);
}
void TConcours::SetOrganisateur(const char* t)
{
    CopieTexte(Ident.Organisateur, t);
}
void TConcours::SetNumAffiliation(const char* t)
{
    CopieTexte(Ident.NumAffiliation, t);
}
void TConcours::SetCategorie(const char* t)
{
    CopieTexte(Ident.Categorie, t);
}
void TConcours::SetSerie(const char* t)
{
    CopieTexte(Ident.Serie, t);
}
void TConcours::SetDirecteur(const char* t)
{
    CopieTexte(Ident.Directeur, t);
}
void TConcours::SetCommissaires(const char* t)
{
    CopieTexte(Ident.Commissaires, t);
}
void TConcours::SetChronometreurs(const char* t)
{
    CopieTexte(Ident.Chronometreurs, t);
}
void TConcours::SetJury1(const char* t)
{
    CopieTexte(Ident.Jury1, t);
}
void TConcours::SetJury2(const char* t)
{
    CopieTexte(Ident.Jury2, t);
}
void TConcours::SetJury3(const char* t)
{
    CopieTexte(Ident.Jury3, t);
}
void TConcours::SetAutres(const char* t)
{
    CopieTexte(Ident.Autres, t);
}
void TConcours::SetHoraires(const char* t)
{
    CopieTexte(Ident.Horaires, t);
}
void TConcours::SetConditionsMeteo(const char* t)
{
    CopieTexte(Ident.ConditionsMeteo, t);
}
void TConcours::SetControles(const char* t)
{
    CopieTexte(Ident.Controles, t);
}
void TConcours::SetIncidents(const char* t)
{
    CopieTexte(Ident.Incidents, t);
}
void TConcours::SetReclamations(const char* t)
{
    CopieTexte(Ident.Reclamations, t);
}
void TConcours::SetObservations(const char* t)
{
    CopieTexte(Ident.Observations, t);
}

void TConcours::SetProgrammeVol(const char* texte, short i)
{
    if (i >= 0 && i < MAX_VOLS)
        CopieTexte(Ident.ProgrammeVol[i], texte);
}

const char* TConcours::GetProgrammeVol(short i) const
{
    return (i >= 0 && i < MAX_VOLS) ? Ident.ProgrammeVol[i] : "";
}

TPilote TConcours::GetPilote(int p) const
{
    if (Pilotes.empty() || p > NbPilotes())
        return {};
    return *std::next(Pilotes.begin(), p <= 1 ? 0 : p - 1);
}

void TConcours::SetPilote(const TPilote& pilote, int p)
{
    if (Pilotes.empty() || p > NbPilotes())
        return;
    *std::next(Pilotes.begin(), p <= 1 ? 0 : p - 1) = pilote;
}

TPilote TConcours::GetPiloteDossard(const char* dossard) const
{
    const std::string_view recherche(dossard ? dossard : "");
    for (const TPilote& pilote : Pilotes)
        if (recherche == pilote.GetDossard())
            return pilote;
    return {};
}

void TConcours::SetPiloteCourant(const TPilote& pilote)
{
    const std::string_view recherche(DossardCourant);
    for (TPilote& p : Pilotes)
        if (recherche == p.GetDossard()) {
            p = pilote;
            return;
        }
}

void TConcours::AjoutePilote()
{
    Pilotes.emplace_back();
}

void TConcours::SupprimePilote(int p)
{
    if (Pilotes.empty() || p > NbPilotes())
        return;
    Pilotes.erase(std::next(Pilotes.begin(), p <= 1 ? 0 : p - 1));
}

TJuge TConcours::GetJuge(int j) const
{
    if (Juges.empty() || j > NbJugesSaisis())
        return {};
    return *std::next(Juges.begin(), j <= 1 ? 0 : j - 1);
}

void TConcours::SetJuge(const TJuge& juge, int j)
{
    if (Juges.empty() || j > NbJugesSaisis())
        return;
    *std::next(Juges.begin(), j <= 1 ? 0 : j - 1) = juge;
}

void TConcours::AjouteJuge()
{
    Juges.emplace_back();
}

std::string TConcours::JugesDeGrade(int grade) const
{
    std::string texte;
    int visites = 0;
    for (const TJuge& juge : Juges) {
        if (++visites > MAX_JUGES)
            break;
        if (juge.GetGrade() != grade)
            continue;
        texte += juge.GetNom();
        texte += ' ';
        texte += juge.GetPrenom();
        texte += ", ";
    }
    return texte;
}

void TConcours::SetDossardCourant(const char* texte)
{
    CopieTexte(DossardCourant, texte);
}

bool TConcours::ChargeProgramme(short v, const std::string& repertoire)
{
    return LitProgramme(v, repertoire, *Programme);
}

bool TConcours::LitProgramme(short v, const std::string& repertoire, TProgramme& programme) const
{
    // A programme is a plain file of the programmes directory: no name leads elsewhere.
    if (v < 1 || v > MAX_VOLS || !tavo::EstNomFichierSimple(Ident.ProgrammeVol[v - 1]))
        return false;
    std::string contenu;
    if (!tavo::LitFichier(repertoire + "/" + Ident.ProgrammeVol[v - 1], contenu,
                          tavo::TAILLE_MAX_PETIT_FICHIER))
        return false;
    programme.Reinitialise();
    programme.Lit(contenu);
    return true;
}

void TConcours::Nouveau()
{
    Ident = TIdentConcours{};
    Pilotes.clear();
    Juges.clear();
    VolCourant = 1;
    DossardCourant[0] = '\0';
}

void TConcours::Remplace(TConcours&& lu)
{
    Nouveau();
    Ident = lu.Ident;
    Pilotes.swap(lu.Pilotes);
    Juges.swap(lu.Juges);
}

void TConcours::Reprend(const TConcours& autre)
{
    Ident = autre.Ident;
    Pilotes = autre.Pilotes;
    Juges = autre.Juges;
    VolCourant = autre.VolCourant;
    std::copy(std::begin(autre.DossardCourant), std::end(autre.DossardCourant), DossardCourant);
    *Programme = *autre.Programme;
}

void TConcours::EcritIdentification(std::string& sortie) const
{
    for (const char* texte :
         {Ident.Titre,          Ident.Lieu,           Ident.Departement,  Ident.Organisateur,
          Ident.NumAffiliation, Ident.Categorie,      Ident.Serie,        Ident.Directeur,
          Ident.Commissaires,   Ident.Chronometreurs, Ident.Jury1,        Ident.Jury2,
          Ident.Jury3,          Ident.Autres,         Ident.Horaires,     Ident.ConditionsMeteo,
          Ident.Controles,      Ident.Incidents,      Ident.Reclamations, Ident.Observations})
        tavo::AjouteLigne(sortie, texte);
    for (short nombre : {Ident.NbJuges, Ident.NbVols})
        tavo::AjouteLigneEntier(sortie, nombre);
    for (const auto& programme : Ident.ProgrammeVol)
        tavo::AjouteLigne(sortie, programme);
    Ident.DateDebut.Ecrit(sortie);
    Ident.DateFin.Ecrit(sortie);
}

void TConcours::EcritJuges(std::string& sortie) const
{
    tavo::AjouteLigneEntier(sortie, static_cast<long long>(Juges.size()));
    for (const TJuge& juge : Juges)
        juge.Ecrit(sortie);
}

std::string TConcours::Ecrit() const
{
    std::string sortie;
    sortie.reserve(1024 + Pilotes.size() * 2400 + Juges.size() * 64);
    EcritIdentification(sortie);
    tavo::AjouteLigneEntier(sortie, static_cast<long long>(Pilotes.size()));
    for (const TPilote& pilote : Pilotes)
        pilote.Ecrit(sortie);
    EcritJuges(sortie);
    return sortie;
}

namespace {

bool litTextes(LecteurTexte& l, TIdentConcours& id)
{
    return l.LitLigne(id.Titre) && l.LitLigne(id.Lieu) && l.LitLigne(id.Departement) &&
           l.LitLigne(id.Organisateur) && l.LitLigne(id.NumAffiliation) &&
           l.LitLigne(id.Categorie) && l.LitLigne(id.Serie) && l.LitLigne(id.Directeur) &&
           l.LitLigne(id.Commissaires) && l.LitLigne(id.Chronometreurs) && l.LitLigne(id.Jury1) &&
           l.LitLigne(id.Jury2) && l.LitLigne(id.Jury3) && l.LitLigne(id.Autres) &&
           l.LitLigne(id.Horaires) && l.LitLigne(id.ConditionsMeteo) && l.LitLigne(id.Controles) &&
           l.LitLigne(id.Incidents) && l.LitLigne(id.Reclamations) && l.LitLigne(id.Observations);
}

// The failure at the reader's position: the end of the text, or the text found there.
ResultatLecture echec(LecteurTexte& l, bool horsLimites = false)
{
    CodeLecture code = CodeLecture::NombreAttendu;
    if (horsLimites)
        code = CodeLecture::NombreHorsLimites;
    else if (l.Fin())
        code = CodeLecture::FinPrematuree;
    return {code, l.Ligne()};
}

// Reads a record count: a non-negative number, the rest of its line discarded.
bool litNombre(LecteurTexte& l, long long& nombre, bool& horsLimites)
{
    horsLimites = false;
    if (!l.LitEntier(nombre))
        return false;
    if (nombre < 0) {
        horsLimites = true;
        return false;
    }
    l.SauteFinLigne();
    return true;
}

} // namespace

namespace {

ResultatLecture litIdentification(LecteurTexte& l, TIdentConcours& ident)
{
    bool hors = false;
    if (!litTextes(l, ident))
        return echec(l);
    if (!l.LitEntier(ident.NbJuges, hors) || !l.LitEntier(ident.NbVols, hors))
        return echec(l, hors);
    l.SauteFinLigne();
    for (auto& programme : ident.ProgrammeVol)
        if (!l.LitLigne(programme))
            return echec(l);
    if (!ident.DateDebut.Lit(l) || !ident.DateFin.Lit(l))
        return echec(l);
    return {};
}

ResultatLecture litPilotes(LecteurTexte& l, long long nombre, TPilotes& pilotes)
{
    bool hors = false;
    for (long long p = 0; p < nombre; ++p) {
        TPilote& pilote = pilotes.emplace_back();
        if (!pilote.GetIdent().Lit(l))
            return echec(l);
        if (!pilote.GetNotesPilote().Lit(l, hors))
            return echec(l, hors);
        l.SauteFinLigne();
        l.SauteFinLigne();
    }
    return {};
}

ResultatLecture litJuges(LecteurTexte& l, std::list<TJuge>& juges)
{
    long long nombre = 0;
    bool hors = false;
    if (!litNombre(l, nombre, hors))
        return echec(l, hors);
    for (long long j = 0; j < nombre; ++j)
        if (!juges.emplace_back().Lit(l, hors))
            return echec(l, hors);
    return {};
}

} // namespace

ResultatLecture TConcours::Lit(std::string_view contenu)
{
    LecteurTexte l(contenu);
    return Lit(l);
}

ResultatLecture TConcours::Lit(LecteurTexte& l)
{
    TIdentConcours ident;
    if (ResultatLecture r = litIdentification(l, ident); !r)
        return r;
    long long nombre = 0;
    bool hors = false;
    TPilotes pilotes;
    if (!litNombre(l, nombre, hors))
        return echec(l, hors);
    if (ResultatLecture r = litPilotes(l, nombre, pilotes); !r)
        return r;
    std::list<TJuge> juges;
    if (ResultatLecture r = litJuges(l, juges); !r)
        return r;

    Nouveau();
    Ident = ident;
    Pilotes.swap(pilotes);
    Juges.swap(juges);
    return {};
}

bool TConcours::LitIdentification(std::string_view texte)
{
    LecteurTexte l(texte);
    TIdentConcours ident;
    if (!litIdentification(l, ident))
        return false;
    Ident = ident;
    return true;
}

bool TConcours::LitJuges(std::string_view texte)
{
    LecteurTexte l(texte);
    std::list<TJuge> juges;
    if (!litJuges(l, juges))
        return false;
    Juges.swap(juges);
    return true;
}

bool TConcours::RemplacePilotes(std::size_t debut, std::size_t supprimes,
                                std::string_view enregistrements, std::size_t ajoutes)
{
    if (debut > Pilotes.size() || supprimes > Pilotes.size() - debut)
        return false;
    LecteurTexte l(enregistrements);
    TPilotes nouveaux;
    if (!litPilotes(l, static_cast<long long>(ajoutes), nouveaux))
        return false;
    auto premier = std::next(Pilotes.begin(), static_cast<std::ptrdiff_t>(debut));
    auto dernier = std::next(premier, static_cast<std::ptrdiff_t>(supprimes));
    premier = Pilotes.erase(premier, dernier);
    Pilotes.splice(premier, nouveaux);
    return true;
}

std::ostream& operator<<(std::ostream& flux, const TConcours& concours)
{
    const std::string texte = concours.Ecrit();
    return flux.write(texte.data(), static_cast<std::streamsize>(texte.size()));
}

std::istream& operator>>(std::istream& flux, TConcours& concours)
{
    std::ostringstream contenu;
    contenu << flux.rdbuf();
    if (!concours.Lit(contenu.str()))
        flux.setstate(std::ios::failbit);
    return flux;
}
