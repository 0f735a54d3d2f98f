// SPDX-License-Identifier: GPL-3.0-or-later
#include "terrain/Terrain.h"

#include "document/Document.h"
#include "model/Concours.h"
#include "model/Cp1252.h"
#include "model/Fichier.h"
#include "scoring/Regles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace tavo::terrain {

using json = nlohmann::json;

namespace {

constexpr std::size_t TAILLE_CLE = 32;
constexpr std::uint64_t TAILLE_MAX_ETAT = 4u << 20;
constexpr const char* ENTETE_ETAT = "TAVO-TERRAIN 1";
// The highest mark a phone offers: a paper sheet's.
constexpr short NOTE_MAX_TERRAIN = 10;

Reponse Erreur(int statut, const std::string& message)
{
    return Reponse{statut, json{{"erreur", message}}.dump()};
}

Reponse Ok(json corps)
{
    return Reponse{200, corps.dump()};
}

bool EstCle(std::string_view cle)
{
    return cle.size() == TAILLE_CLE && std::all_of(cle.begin(), cle.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// A small whole number of a request: a flight, a line, a mark.
std::optional<short> Entier(const json& valeur, int min, int max)
{
    if (!valeur.is_number_integer())
        return std::nullopt;
    const auto n = valeur.get<std::int64_t>();
    if (n < min || n > max)
        return std::nullopt;
    return static_cast<short>(n);
}

std::optional<short> Entier(std::string_view texte, int min, int max)
{
    if (texte.empty() || texte.size() > 3)
        return std::nullopt;
    int n = 0;
    for (char c : texte) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < min || n > max)
        return std::nullopt;
    return static_cast<short>(n);
}

// The pilot of a bib given as UTF-8, or nothing.
const TPilote* PiloteDe(const TConcours& concours, std::string_view dossard)
{
    if (dossard.empty() || dossard.size() > 16)
        return nullptr;
    const std::string cp1252 = Utf8VersCp1252(dossard);
    for (const TPilote& pilote : concours.GetPilotes())
        if (cp1252 == pilote.GetDossard())
            return &pilote;
    return nullptr;
}

// Writes a file only its owner reads, never through a link planted at its name: a
// temporary file of mode 0600 renamed over it.
bool EcritPrive(const std::string& chemin, const std::string& contenu, std::string& erreur)
{
    std::string modele = chemin + ".XXXXXX";
    const int fd = ::mkstemp(modele.data());
    if (fd < 0) {
        erreur = std::strerror(errno);
        return false;
    }
    bool ok = ::fchmod(fd, 0600) == 0;
    std::size_t ecrit = 0;
    while (ok && ecrit < contenu.size()) {
        const ssize_t n = ::write(fd, contenu.data() + ecrit, contenu.size() - ecrit);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            ecrit += static_cast<std::size_t>(n);
    }
    if (!ok)
        erreur = std::strerror(errno);
    if (::close(fd) != 0 && ok) {
        ok = false;
        erreur = std::strerror(errno);
    }
    if (ok && std::rename(modele.c_str(), chemin.c_str()) != 0) {
        ok = false;
        erreur = std::strerror(errno);
    }
    if (!ok)
        ::unlink(modele.c_str());
    return ok;
}

} // namespace

std::string NouvelleCle()
{
    std::random_device aleas("/dev/urandom");
    static constexpr char CHIFFRES[] = "0123456789abcdef";
    std::string cle;
    while (cle.size() < TAILLE_CLE) {
        std::uint32_t mot = aleas();
        for (int i = 0; i < 8 && cle.size() < TAILLE_CLE; ++i, mot >>= 4)
            cle += CHIFFRES[mot & 0xF];
    }
    return cle;
}

bool MemesCles(std::string_view a, std::string_view b)
{
    if (a.size() != b.size() || a.empty())
        return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

std::vector<short> ValeursLigne(const TProgramme& programme, short ligne)
{
    const short figures = programme.NbFigures();
    const bool bruit = programme.GetTypeBruit() != 0 && ligne == figures + 1;
    const bool conformite = programme.GetTypeConformite() != 0 && ligne == programme.NbLignes();
    std::vector<short> valeurs;
    // The keyboard's rules of the line, the marks above 10 left out: the minus key's mark, then
    // every mark from 0 to 10 the line accepts.
    if (bruit && programme.BruitValide(-1))
        valeurs.push_back(programme.NoteNegativeBruit());
    else if (conformite && programme.ConformiteValide(-1))
        valeurs.push_back(programme.NoteNegativeConformite());
    for (short v = 0; v <= NOTE_MAX_TERRAIN; ++v)
        if ((!bruit && !conformite) || (bruit && programme.BruitValide(v)) ||
            (conformite && programme.ConformiteValide(v)))
            valeurs.push_back(v);
    std::sort(valeurs.begin(), valeurs.end());
    valeurs.erase(std::unique(valeurs.begin(), valeurs.end()), valeurs.end());
    return valeurs;
}

TTerrain::TTerrain(TDocument& document, std::string repProgrammes)
    : m_document(document)
    , m_repProgrammes(std::move(repProgrammes))
{}

short TTerrain::NbJuges() const
{
    return JugesEffectifs(m_document.Concours().GetNbJuges());
}

std::string TTerrain::NomJuge(short juge) const
{
    const TJuge j = m_document.Concours().GetJuge(juge);
    std::string nom = Cp1252VersUtf8(j.GetNom());
    const std::string prenom = Cp1252VersUtf8(j.GetPrenom());
    if (!prenom.empty())
        nom += (nom.empty() ? "" : " ") + prenom;
    return nom;
}

std::string TTerrain::CheminEtat() const
{
    const std::string& fichier = m_document.Fichier();
    if (fichier.empty() || m_document.SansNom())
        return {};
    return FichierTerrain(fichier);
}

void TTerrain::Charge()
{
    m_cles = {};
    m_feuilles.clear();
    ++m_versionEnvois;
    m_programmes.clear();
    std::string contenu;
    const std::string chemin = CheminEtat();
    if (!chemin.empty() && LitFichier(chemin, contenu, TAILLE_MAX_ETAT)) {
        std::istringstream lignes(contenu);
        std::string ligne;
        std::getline(lignes, ligne);
        if (ligne == ENTETE_ETAT) {
            while (std::getline(lignes, ligne)) {
                std::istringstream champs(ligne);
                std::string genre;
                short juge = 0;
                champs >> genre >> juge;
                if (juge < 1 || juge > MAX_JUGES)
                    continue;
                if (genre == "cle") {
                    std::string cle;
                    champs >> cle;
                    if (EstCle(cle))
                        m_cles[static_cast<std::size_t>(juge)] = cle;
                } else if (genre == "feuille") {
                    short vol = 0;
                    std::uint32_t notees = 0;
                    int envoyee = 0;
                    std::string dossard;
                    champs >> vol >> notees >> envoyee;
                    champs.ignore(1);
                    std::getline(champs, dossard);
                    if (vol >= 1 && vol <= MAX_VOLS && !dossard.empty())
                        m_feuilles[{vol, dossard, juge}] = Feuille{notees, envoyee != 0};
                }
            }
        }
    }
    bool nouvelles = false;
    for (short j = 1; j <= MAX_JUGES; ++j)
        if (m_cles[static_cast<std::size_t>(j)].empty()) {
            m_cles[static_cast<std::size_t>(j)] = terrain::NouvelleCle();
            nouvelles = true;
        }
    if (nouvelles)
        Enregistre();
}

void TTerrain::Enregistre()
{
    const std::string chemin = CheminEtat();
    if (chemin.empty())
        return;
    std::string contenu = std::string(ENTETE_ETAT) + "\n";
    for (short j = 1; j <= MAX_JUGES; ++j)
        contenu += "cle " + std::to_string(j) + " " + m_cles[static_cast<std::size_t>(j)] + "\n";
    for (const auto& [cle, feuille] : m_feuilles) {
        const auto& [vol, dossard, juge] = cle;
        std::string d = dossard;
        std::replace_if(
            d.begin(), d.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
        contenu += "feuille " + std::to_string(juge) + " " + std::to_string(vol) + " " +
                   std::to_string(feuille.notees) + " " + (feuille.envoyee ? "1" : "0") + " " + d +
                   "\n";
    }
    std::string erreur;
    if (!EcritPrive(chemin, contenu, erreur) && SurErreur)
        SurErreur("Impossible d'écrire « " + chemin + " » : " + erreur +
                  ". Les notes reçues sont gardées, mais les téléphones devront être "
                  "reconnectés après un redémarrage.");
}

const std::string& TTerrain::Cle(short juge) const
{
    static const std::string aucune;
    return juge >= 1 && juge <= MAX_JUGES ? m_cles[static_cast<std::size_t>(juge)] : aucune;
}

void TTerrain::NouvelleCle(short juge)
{
    if (juge < 1 || juge > MAX_JUGES)
        return;
    m_cles[static_cast<std::size_t>(juge)] = terrain::NouvelleCle();
    m_vus[static_cast<std::size_t>(juge)].reset();
    Enregistre();
    Change();
}

short TTerrain::JugeDeCle(std::string_view cle) const
{
    short trouve = 0;
    // Every key is compared, in constant time each.
    for (short j = 1; j <= NbJuges(); ++j)
        if (MemesCles(cle, m_cles[static_cast<std::size_t>(j)]))
            trouve = j;
    return trouve;
}

std::vector<std::pair<std::string, short>> TTerrain::Cles() const
{
    std::vector<std::pair<std::string, short>> cles;
    for (short j = 1; j <= NbJuges(); ++j)
        cles.emplace_back(m_cles[static_cast<std::size_t>(j)], j);
    return cles;
}

void TTerrain::Appelle(short vol, const std::string& dossard)
{
    m_appel = Appel{vol, dossard};
    Change();
}

bool TTerrain::PiloteSuivant()
{
    const auto& pilotes = m_document.Concours().GetPilotes();
    if (pilotes.empty())
        return false;
    const short vol = m_appel ? m_appel->vol : short{1};
    auto suivant = pilotes.begin();
    if (m_appel) {
        const std::string cp1252 = Utf8VersCp1252(m_appel->dossard);
        auto courant = std::find_if(pilotes.begin(), pilotes.end(),
                                    [&](const TPilote& p) { return cp1252 == p.GetDossard(); });
        if (courant == pilotes.end())
            suivant = pilotes.begin();
        else if (std::next(courant) == pilotes.end())
            return false;
        else
            suivant = std::next(courant);
    }
    Appelle(vol, Cp1252VersUtf8(suivant->GetDossard()));
    return true;
}

const TProgramme* TTerrain::Programme(short vol)
{
    if (vol < 1 || vol > MAX_VOLS)
        return nullptr;
    // Read once while the flight keeps its programme's name, a flight without one too: the
    // phones ask for the flights every second.
    const std::string nom = m_document.Concours().GetProgrammeVol(static_cast<short>(vol - 1));
    auto [lu, nouveau] = m_programmes.try_emplace(vol);
    if (nouveau || lu->second.first != nom) {
        lu->second = {nom, std::nullopt};
        TProgramme programme;
        if (m_document.Concours().LitProgramme(vol, m_repProgrammes, programme) &&
            programme.NbLignes() > 0)
            lu->second.second = std::move(programme);
    }
    return lu->second.second ? &*lu->second.second : nullptr;
}

Reponse TTerrain::Traite(short juge, const std::string& methode, const std::string& chemin,
                         const std::map<std::string, std::string>& parametres,
                         std::string_view corps)
{
    if (juge < 1 || juge > NbJuges())
        return Erreur(401, "Clé refusée : demandez un nouveau code à l'organisateur.");
    m_vus[static_cast<std::size_t>(juge)] = std::chrono::steady_clock::now();
    if (methode == "GET" && chemin == "/api/juge/etat")
        return Etat(juge);
    if (methode == "GET" && chemin == "/api/juge/feuille")
        return FeuilleDe(juge, parametres);
    if (methode == "POST" && chemin == "/api/juge/note")
        return Note(juge, corps);
    if (methode == "POST" && chemin == "/api/juge/envoi")
        return Envoi(juge, corps);
    return Erreur(404, "Adresse inconnue.");
}

void TTerrain::StockeNote(const NoteJournal& note)
{
    // A mark changes no pilot's name, bib or sent sheets: the judges' states stay as sent.
    const std::uint64_t avant = m_document.Revision();
    m_document.StockeNote(note);
    for (EtatEnvoye& envoye : m_etats)
        if (envoye.revision == avant)
            envoye.revision = m_document.Revision();
}

Reponse TTerrain::Etat(short juge)
{
    // The list of every pilot is made again only when it may differ from the one sent last.
    EtatEnvoye& envoye = m_etats[static_cast<std::size_t>(juge)];
    if (envoye.corps && envoye.revision == m_document.Revision() &&
        envoye.envois == m_versionEnvois && envoye.appel == m_appel) {
        Change(); // the judge is seen
        return Reponse{200, *envoye.corps};
    }
    const TConcours& concours = m_document.Concours();
    const TJuge j = concours.GetJuge(juge);
    json vols = json::array();
    for (short v = 1; v <= MAX_VOLS; ++v)
        if (const TProgramme* programme = Programme(v))
            vols.push_back({{"vol", v}, {"programme", Cp1252VersUtf8(programme->GetNom())}});
    json pilotes = json::array();
    for (const TPilote& p : concours.GetPilotes()) {
        if (p.GetDossard()[0] == '\0')
            continue;
        json envoyees = json::array();
        for (short v = 1; v <= MAX_VOLS; ++v) {
            auto f = m_feuilles.find({v, p.GetDossard(), juge});
            if (f != m_feuilles.end() && f->second.envoyee)
                envoyees.push_back(v);
        }
        pilotes.push_back({{"dossard", Cp1252VersUtf8(p.GetDossard())},
                           {"nom", Cp1252VersUtf8(p.GetNom())},
                           {"prenom", Cp1252VersUtf8(p.GetPrenom())},
                           {"envoyees", envoyees}});
    }
    json appel = nullptr;
    if (m_appel)
        appel = {{"vol", m_appel->vol}, {"dossard", m_appel->dossard}};
    Change(); // the judge is seen
    Reponse reponse = Ok({{"juge", juge},
                          {"nom", Cp1252VersUtf8(j.GetNom())},
                          {"prenom", Cp1252VersUtf8(j.GetPrenom())},
                          {"vols", vols},
                          {"appel", appel},
                          {"pilotes", pilotes}});
    envoye = EtatEnvoye{m_document.Revision(), m_versionEnvois, m_appel, reponse.corps};
    return reponse;
}

Reponse TTerrain::FeuilleDe(short juge, const std::map<std::string, std::string>& parametres)
{
    const auto champ = [&](const char* nom) -> std::string_view {
        auto p = parametres.find(nom);
        return p == parametres.end() ? std::string_view{} : std::string_view{p->second};
    };
    const std::optional<short> vol = Entier(champ("vol"), 1, MAX_VOLS);
    const TProgramme* programme = vol ? Programme(*vol) : nullptr;
    if (programme == nullptr)
        return Erreur(404, "Ce vol n'a pas de programme.");
    const TPilote* pilote = PiloteDe(m_document.Concours(), champ("dossard"));
    if (pilote == nullptr)
        return Erreur(404, "Aucun pilote ne porte ce dossard.");
    m_courantes[static_cast<std::size_t>(juge)] = Appel{*vol, Cp1252VersUtf8(pilote->GetDossard())};
    const Feuille feuille = [&] {
        auto f = m_feuilles.find({*vol, pilote->GetDossard(), juge});
        return f == m_feuilles.end() ? Feuille{} : f->second;
    }();
    json lignes = json::array();
    json notes = json::array();
    const short figures = programme->NbFigures();
    for (short l = 1; l <= programme->NbLignes(); ++l) {
        std::string nom;
        if (l <= figures)
            nom = Cp1252VersUtf8(programme->GetFigure(l).GetNom());
        else if (l == figures + 1 && programme->GetTypeBruit() != 0)
            nom = "Bruit";
        else
            nom = "Conformité avec la documentation";
        lignes.push_back({{"ligne", l},
                          {"numero", l <= figures ? std::to_string(l) : std::string()},
                          {"nom", nom},
                          {"k", programme->GetK(static_cast<short>(l - 1))},
                          {"valeurs", ValeursLigne(*programme, l)}});
        if ((feuille.notees >> (l - 1)) & 1u)
            notes.push_back(pilote->GetNote(*vol, l, juge));
        else
            notes.push_back(nullptr);
    }
    return Ok({{"vol", *vol},
               {"dossard", Cp1252VersUtf8(pilote->GetDossard())},
               {"nom", Cp1252VersUtf8(pilote->GetNom())},
               {"prenom", Cp1252VersUtf8(pilote->GetPrenom())},
               {"programme", Cp1252VersUtf8(programme->GetNom())},
               {"lignes", lignes},
               {"notes", notes},
               {"envoyee", feuille.envoyee}});
}

namespace {

// The flight, the pilot and the judge a request's body names; a French refusal otherwise.
struct Cible
{
    short vol = 0;
    const TPilote* pilote = nullptr;
    const TProgramme* programme = nullptr;
    std::optional<Reponse> refus;
};

Cible CibleDe(const json& corps, short juge, const TConcours& concours,
              const std::function<const TProgramme*(short)>& programmeDuVol)
{
    Cible cible;
    if (!corps.is_object()) {
        cible.refus = Erreur(400, "Requête mal formée.");
        return cible;
    }
    if (corps.contains("juge") && Entier(corps["juge"], 1, MAX_JUGES) != juge) {
        cible.refus = Erreur(403, "Un juge ne note que dans sa propre colonne.");
        return cible;
    }
    const auto vol = corps.contains("vol") ? Entier(corps["vol"], 1, MAX_VOLS) : std::nullopt;
    if (!vol) {
        cible.refus = Erreur(404, "Ce vol n'existe pas.");
        return cible;
    }
    cible.vol = *vol;
    const json dossard = corps.value("dossard", json());
    if (dossard.is_string())
        cible.pilote = PiloteDe(concours, dossard.get<std::string>());
    if (cible.pilote == nullptr) {
        cible.refus = Erreur(404, "Aucun pilote ne porte ce dossard.");
        return cible;
    }
    cible.programme = programmeDuVol(cible.vol);
    if (cible.programme == nullptr)
        cible.refus = Erreur(404, "Ce vol n'a pas de programme.");
    return cible;
}

} // namespace

Reponse TTerrain::Note(short juge, std::string_view texte)
{
    const json corps = json::parse(texte, nullptr, false);
    const Cible cible =
        CibleDe(corps, juge, m_document.Concours(), [this](short v) { return Programme(v); });
    if (cible.refus)
        return *cible.refus;
    const TProgramme* programme = cible.programme;
    const auto ligne =
        corps.contains("ligne") ? Entier(corps["ligne"], 1, programme->NbLignes()) : std::nullopt;
    if (!ligne)
        return Erreur(422, "Cette ligne n'est pas sur la feuille.");
    const std::vector<short> valeurs = ValeursLigne(*programme, *ligne);
    const auto note = corps.contains("note") ? Entier(corps["note"], -10, 10) : std::nullopt;
    if (!note || std::find(valeurs.begin(), valeurs.end(), *note) == valeurs.end())
        return Erreur(422, "Cette note n'est pas possible sur cette ligne.");
    Feuille& feuille = m_feuilles[{cible.vol, cible.pilote->GetDossard(), juge}];
    m_courantes[static_cast<std::size_t>(juge)] =
        Appel{cible.vol, Cp1252VersUtf8(cible.pilote->GetDossard())};
    if (feuille.envoyee)
        return Erreur(403, "Feuille déjà envoyée : seul l'organisateur peut la modifier.");
    StockeNote(
        NoteJournal{cible.vol, *ligne, juge, *note, std::string(cible.pilote->GetDossard())});
    const std::uint32_t bit = 1u << (*ligne - 1);
    if ((feuille.notees & bit) == 0) {
        feuille.notees |= bit;
        Enregistre();
    }
    Change();
    return Ok({{"ok", true}});
}

Reponse TTerrain::Envoi(short juge, std::string_view texte)
{
    const json corps = json::parse(texte, nullptr, false);
    const Cible cible =
        CibleDe(corps, juge, m_document.Concours(), [this](short v) { return Programme(v); });
    if (cible.refus)
        return *cible.refus;
    const TProgramme* programme = cible.programme;
    const std::string dossard = cible.pilote->GetDossard();
    Feuille& feuille = m_feuilles[{cible.vol, dossard, juge}];
    if (feuille.envoyee)
        return Ok({{"ok", true}, {"deja", true}});
    const json notes = corps.value("notes", json());
    const short lignes = programme->NbLignes();
    if (!notes.is_array() || notes.size() != static_cast<std::size_t>(lignes))
        return Erreur(422, "La feuille doit avoir une note sur chaque ligne.");
    std::vector<short> valeurs;
    for (short l = 1; l <= lignes; ++l) {
        const auto note = Entier(notes[static_cast<std::size_t>(l - 1)], -10, 10);
        const std::vector<short> possibles = ValeursLigne(*programme, l);
        if (!note || std::find(possibles.begin(), possibles.end(), *note) == possibles.end())
            return Erreur(422, "Ligne " + std::to_string(l) +
                                   " : cette note n'est pas possible sur cette ligne.");
        valeurs.push_back(*note);
    }
    // Every mark as a typed one, those the phone already sent included: the sheet is whole.
    for (short l = 1; l <= lignes; ++l) {
        const short note = valeurs[static_cast<std::size_t>(l - 1)];
        const bool notee = (feuille.notees >> (l - 1)) & 1u;
        if (!notee || cible.pilote->GetNote(cible.vol, l, juge) != note)
            StockeNote(NoteJournal{cible.vol, l, juge, note, dossard});
    }
    feuille.notees = lignes >= 32 ? ~0u : (1u << lignes) - 1;
    feuille.envoyee = true;
    ++m_versionEnvois;
    Enregistre();
    bool toutes = true;
    for (short j = 1; j <= NbJuges(); ++j) {
        auto f = m_feuilles.find({cible.vol, dossard, j});
        toutes = toutes && f != m_feuilles.end() && f->second.envoyee;
    }
    if (toutes)
        Termine(cible.vol, dossard);
    Change();
    return Ok({{"ok", true}});
}

void TTerrain::Termine(short vol, const std::string& dossard)
{
    const TProgramme* programme = Programme(vol);
    if (programme == nullptr)
        return;
    const std::optional<double> score = m_document.TermineVol(dossard, vol, *programme);
    if (score && SurFeuilleTerminee)
        SurFeuilleTerminee(FeuilleTerminee{vol, Cp1252VersUtf8(dossard), *score});
}

CaseGrille TTerrain::Case(short vol, const std::string& dossard, short juge) const
{
    CaseGrille c;
    auto programme = m_programmes.find(vol);
    c.lignes = programme == m_programmes.end() || !programme->second.second
                   ? 0
                   : programme->second.second->NbLignes();
    auto f = m_feuilles.find({vol, Utf8VersCp1252(dossard), juge});
    if (f == m_feuilles.end())
        return c;
    for (int l = 0; l < c.lignes; ++l)
        c.notees += (f->second.notees >> l) & 1u;
    c.etat = f->second.envoyee
                 ? CaseGrille::Etat::Envoyee
                 : (c.notees > 0 ? CaseGrille::Etat::EnCours : CaseGrille::Etat::Rien);
    return c;
}

bool TTerrain::EnSaisie(short vol, const std::string& dossard) const
{
    for (short j = 1; j <= MAX_JUGES; ++j)
        if (Case(vol, dossard, j).etat != CaseGrille::Etat::Rien)
            return true;
    return false;
}

bool TTerrain::SaisieEnCours() const
{
    for (const auto& [cle, feuille] : m_feuilles)
        if (feuille.notees != 0 && !feuille.envoyee)
            return true;
    return false;
}

std::vector<std::pair<short, std::string>> TTerrain::Vols()
{
    std::vector<std::pair<short, std::string>> vols;
    for (short v = 1; v <= MAX_VOLS; ++v)
        if (const TProgramme* programme = Programme(v))
            vols.emplace_back(v, Cp1252VersUtf8(programme->GetNom()));
    return vols;
}

std::optional<Appel> TTerrain::FeuilleCourante(short juge) const
{
    if (juge < 1 || juge > MAX_JUGES)
        return std::nullopt;
    return m_courantes[static_cast<std::size_t>(juge)];
}

std::optional<std::chrono::steady_clock::time_point> TTerrain::DerniereVue(short juge) const
{
    if (juge < 1 || juge > MAX_JUGES)
        return std::nullopt;
    return m_vus[static_cast<std::size_t>(juge)];
}

void TTerrain::Change()
{
    if (SurChangement)
        SurChangement();
}

} // namespace tavo::terrain
