// SPDX-License-Identifier: GPL-3.0-or-later
#include "publication/Html.h"

#include "model/Texte.h"

#include <algorithm>
#include <map>
#include <string>

namespace tavo::html {

namespace {

// A column's alignment class: numbers right or centred, texts left.
std::string Genre(const ColonneVue& colonne)
{
    if (colonne.nombre)
        return colonne.alignCellule == Alignement::Centre ? "c" : "n";
    return "g";
}

// The cells' class most columns have: the table's own, which its cells do not repeat.
std::string GenreCourant(const std::vector<ColonneVue>& colonnes)
{
    std::map<std::string, int> nombres;
    for (const ColonneVue& colonne : colonnes)
        ++nombres[Genre(colonne)];
    std::string courant;
    int plus = 0;
    for (const auto& [genre, n] : nombres)
        if (n > plus) {
            courant = genre;
            plus = n;
        }
    return courant;
}

// ` class="a b"` of the classes given, "" when there are none.
std::string AttributClasse(std::initializer_list<std::string_view> classes)
{
    std::string liste;
    for (std::string_view classe : classes)
        if (!classe.empty())
            liste.append(liste.empty() ? "" : " ").append(classe);
    return liste.empty() ? liste : " class=\"" + liste + "\"";
}

// The row heads: the first column holding names.
// The text without its spaces before and after, as `SansEspaces` gives it.
std::string_view Rogne(std::string_view texte)
{
    const auto debut = texte.find_first_not_of(' ');
    if (debut == std::string_view::npos)
        return {};
    return texte.substr(debut, texte.find_last_not_of(' ') - debut + 1);
}

std::size_t ColonneDesNoms(const std::vector<ColonneVue>& colonnes)
{
    for (std::size_t c = 0; c < colonnes.size(); ++c)
        if (colonnes[c].alignCellule == Alignement::Gauche)
            return c;
    return 0;
}

// What a folded cell says before its value: its head, a judge's "%" and "Clt" after his name.
std::vector<std::string> Etiquettes(const std::vector<ColonneVue>& colonnes)
{
    std::vector<std::string> etiquettes;
    std::string groupe;
    for (const ColonneVue& colonne : colonnes) {
        std::string titre = Typographie(SansEspaces(colonne.titre));
        if ((titre == "%" || titre == "Clt") && !groupe.empty())
            titre = groupe + " " + titre;
        else
            groupe = titre;
        etiquettes.push_back(std::move(titre));
    }
    return etiquettes;
}

/** A ranking's columns that stay on a phone's line: the rank, the name, the total. */
struct Repli
{
    bool actif = false;
    std::size_t total = 0;
};

std::string TableRepliee(const TableVue& table, std::string_view legende, const Lien& lien,
                         Repli repli)
{
    const std::vector<ColonneVue>& colonnes = table.Colonnes();
    const std::size_t noms = ColonneDesNoms(colonnes);
    const std::string courant = GenreCourant(colonnes);
    const std::vector<std::string> etiquettes = Etiquettes(colonnes);
    const auto role = [&](std::size_t c) -> std::string_view {
        if (!repli.actif)
            return {};
        if (c == 0 && c != noms)
            return "rang";
        if (c == noms)
            return "nom";
        return c == repli.total ? "total" : "pli";
    };
    std::string entetes = "<thead><tr>";
    std::vector<std::string> ouvertures;
    for (std::size_t c = 0; c < colonnes.size(); ++c) {
        const std::string genre = Genre(colonnes[c]);
        const std::string titre = Typographie(SansEspaces(colonnes[c].titre));
        if (titre.empty()) // the corner above the row heads: no head to announce
            entetes.append("<td></td>");
        else
            entetes.append("<th scope=\"col\"")
                .append(AttributClasse({genre, role(c)}))
                .append(">")
                .append(Echappe(titre))
                .append("</th>");
        std::string attributs = AttributClasse({genre == courant ? "" : genre, role(c)});
        if (role(c) == "pli") {
            attributs += " data-t=\"" + Echappe(etiquettes[c]) + "\"";
        }
        ouvertures.push_back((c == noms ? "<th scope=\"row\"" : "<td") + attributs + ">");
    }
    entetes += "</tr></thead>\n";
    const std::string nom = Echappe(Typographie(std::string(legende)));
    std::string html = "<div class=\"defile\" role=\"region\" tabindex=\"0\" aria-label=\"" + nom +
                       "\"><table" + AttributClasse({courant, repli.actif ? "repli" : ""}) +
                       ">\n<caption>" + nom + "</caption>\n" + entetes + "<tbody>\n";
    html.reserve(html.size() + table.NbLignes() * colonnes.size() * 24);
    for (std::size_t i = 0; i < table.NbLignes(); ++i) {
        const std::vector<std::string> cellules = table.Ligne(i);
        html += "<tr>";
        for (std::size_t c = 0; c < cellules.size() && c < colonnes.size(); ++c) {
            html.append(ouvertures[c]);
            const std::string cible = lien ? lien(i, c) : std::string();
            if (!cible.empty()) {
                html.append("<a href=\"");
                AjouteEchappe(html, cible);
                html.append("\">");
            }
            AjouteEchappe(html, Rogne(cellules[c]));
            if (!cible.empty())
                html.append("</a>");
            html.append(c == noms ? "</th>" : "</td>");
        }
        html += "</tr>\n";
    }
    html += "</tbody>\n</table></div>\n";
    return html;
}

std::string Nombre(double valeur)
{
    return Fixe(valeur, 0, 1);
}

constexpr std::string_view STYLE =
    R"(/* Tavo 2000 : feuille de style du site des résultats */
html { -webkit-text-size-adjust: 100%; text-size-adjust: 100%; }
body { font-family: "Liberation Serif", "Times New Roman", serif; color: #111; background: #fff;
  margin: 0 auto; max-width: 72em; padding: 0 0.75em 1em; line-height: 1.35; }
header.concours { text-align: center; border-bottom: 1px solid #99a; margin-bottom: 0.5em; }
header.concours p { margin: 0.15em 0; }
header.concours .titre { font-size: 1.4em; font-weight: bold; }
header.concours .titre a { color: inherit; text-decoration: none; display: inline-block;
  min-height: 24px; }
header.concours .maj { font-weight: bold; color: #14532d; }
h1 { font-size: 1.25em; text-align: center; margin: 0.6em 0 0.2em; }
h1 small { display: block; font-size: 0.8em; font-weight: normal; }
h2 { font-size: 1.1em; margin: 1em 0 0.3em; }
a { color: #0645ad; }
a:focus-visible, .defile:focus-visible { outline: 3px solid #0645ad; outline-offset: 2px; }
td a, th a { display: inline-block; min-width: 24px; min-height: 24px; line-height: 24px; }
nav ul { list-style: none; padding: 0; margin: 0.3em 0; display: flex; flex-wrap: wrap;
  gap: 0.3em 0.6em; }
nav a, p.lien a { display: inline-block; min-height: 24px; padding: 0.45em 0.3em; }
ul.noms { display: block; columns: 16em; }
ul.noms li { break-inside: avoid; }
p.dernier { font-size: 1.1em; font-weight: bold; }
.bilan { font-size: 1.15em; border: 1px solid #889; padding: 0.4em 0.6em; margin: 0.5em 0; }
.bilan p { margin: 0.2em 0; }
.bilan strong { font-size: 1.2em; }
.defile { overflow-x: auto; -webkit-overflow-scrolling: touch; max-width: 100%;
  background: linear-gradient(to right, #fff 40%, rgba(255, 255, 255, 0)) left / 2em 100%,
    linear-gradient(to left, #fff 40%, rgba(255, 255, 255, 0)) right / 2em 100%,
    radial-gradient(farthest-side at 0 50%, rgba(0, 0, 0, 0.3), rgba(0, 0, 0, 0)) left / 0.9em 100%,
    radial-gradient(farthest-side at 100% 50%, rgba(0, 0, 0, 0.3), rgba(0, 0, 0, 0)) right / 0.9em 100%;
  background-repeat: no-repeat; background-attachment: local, local, scroll, scroll; }
table { border-collapse: collapse; margin: 0.4em 0 1em; }
caption { text-align: left; font-weight: bold; padding: 0.2em 0; white-space: nowrap; }
h1 + .defile caption, h2 + .defile caption { position: absolute; width: 1px; height: 1px;
  overflow: hidden; clip: rect(0 0 0 0); white-space: nowrap; }
th, td { border: 1px solid #889; padding: 0.15em 0.45em; white-space: nowrap; }
thead th { background: #e8eef6; }
tbody th { font-weight: normal; text-align: left; }
table.n td, th.n { text-align: right; }
table.c td, th.c { text-align: center; }
table.g td, th.g { text-align: left; }
table td.n { text-align: right; }
table td.c { text-align: center; }
table td.g { text-align: left; }
td { font-variant-numeric: tabular-nums; }
td.total { font-weight: bold; }
.note { font-style: italic; }
figure { margin: 0.5em 0; }
svg { max-width: 100%; height: auto; }
footer { margin-top: 2em; font-size: 0.85em; color: #555; text-align: center; }
body.tableau { max-width: none; font-family: "Liberation Sans", Arial, sans-serif;
  padding-bottom: 0; }
body.tableau header.concours { font-size: max(1rem, 1.4vw); }
body.tableau footer { display: none; }
body.tableau h1 { font-size: max(1.25rem, 2.4vw); margin: 0.2em 0; }
body.tableau table { margin-bottom: 0; }
body.tableau table.g th { text-align: left; }
body.tableau table.g th.n { text-align: right; }
body.tableau table { width: 100%; font-size: max(1.1rem, 2.6vw); }
body.tableau caption { position: absolute; width: 1px; height: 1px; overflow: hidden;
  clip: rect(0 0 0 0); }
body.tableau td, body.tableau th { padding: 0.1em 0.4em; }
body.tableau .page { text-align: center; font-size: max(1rem, 1.5vw); margin: 0.2em 0;
  min-height: 1.4em; }
@media (max-width: 40em) {
  body { font-size: 0.92em; padding: 0 0.3em; }
  th, td { padding: 0.1em 0.3em; }
  tbody th { white-space: normal; min-width: 7em; }
  thead th { white-space: normal; }
  table.repli { width: 100%; }
  table.repli, table.repli thead, table.repli tbody { display: block; }
  table.repli tr { display: flex; flex-wrap: wrap; align-items: baseline;
    border-bottom: 1px solid #889; padding: 0.2em 0 0.2em 2.2em; }
  table.repli thead tr { background: #e8eef6; }
  table.repli th, table.repli td { border: 0; background: none; }
  table.repli .rang { order: 1; flex: 0 0 2.2em; margin-left: -2.2em; }
  table.repli .nom { order: 2; flex: 1 1 0; min-width: 0; white-space: normal; }
  table.repli .total { order: 3; flex: 0 0 auto; text-align: right; }
  table.repli tr::after { content: ""; order: 4; flex: 0 0 100%; }
  table.repli .pli { order: 5; font-size: 0.85em; color: #333; }
  table.repli thead .pli { display: none; }
  table.repli tbody .pli::before { content: attr(data-t) "\a0"; color: #555; }
}
)";

// A judge's flag on a blue ground, the site's icon.
constexpr std::string_view ICONE =
    R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32"><!-- Tavo 2000 -->
<rect width="32" height="32" rx="6" fill="#0645ad"/>
<path d="M4 21 L16 8 L28 21 L22 21 L16 15 L10 21 Z" fill="#fff"/>
<rect x="6" y="24" width="20" height="3" rx="1.5" fill="#fff"/>
</svg>
)";

} // namespace

std::string Echappe(std::string_view utf8)
{
    std::string texte;
    AjouteEchappe(texte, utf8);
    return texte;
}

void AjouteEchappe(std::string& texte, std::string_view utf8)
{
    // Plain printable ASCII, as most cells are, goes as it is.
    const bool simple = std::all_of(utf8.begin(), utf8.end(), [](char c) {
        return c >= ' ' && c <= '~' && c != '&' && c != '<' && c != '>' && c != '"' && c != '\'';
    });
    if (simple) {
        texte.append(utf8);
        return;
    }
    for (char c : SansControle(utf8, false)) {
        switch (c) {
        case '&':
            texte += "&amp;";
            break;
        case '<':
            texte += "&lt;";
            break;
        case '>':
            texte += "&gt;";
            break;
        case '"':
            texte += "&quot;";
            break;
        case '\'':
            texte += "&#39;";
            break;
        default:
            texte += c;
        }
    }
}

void Page(std::string& html, const BlocTitre& bloc, std::string_view titre,
          std::initializer_list<std::string_view> corps, std::string_view pied,
          const Ajouts& ajouts)
{
    std::size_t taille = 2048;
    for (std::string_view partie : corps)
        taille += partie.size();
    html.clear();
    html.reserve(taille);
    html += "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
            "<title>";
    html.append(Echappe(titre)).append(" - ").append(Echappe(bloc.titre));
    html.append("</title>\n<meta name=\"description\" content=\"");
    html.append(Echappe(Typographie(std::string(titre)))).append(" : résultats du concours ");
    html.append(Echappe(bloc.titre)).append(", ").append(Echappe(bloc.lieu)).append(", ");
    html.append(Echappe(bloc.dates)).append(".\">\n");
    html += "<link rel=\"icon\" href=\"favicon.svg\" type=\"image/svg+xml\">\n"
            "<link rel=\"stylesheet\" href=\"style.css\">\n";
    html.append(ajouts.tete);
    html += "</head>\n<body";
    if (!ajouts.classeCorps.empty())
        html.append(" class=\"").append(Echappe(ajouts.classeCorps)).append("\"");
    html += ">\n"
            "<header class=\"concours\">\n<p class=\"titre\"><a href=\"index.html\">";
    html.append(Echappe(bloc.titre)).append("</a></p>\n<p>").append(Echappe(bloc.serie));
    html.append(" &#8211; ").append(Echappe(bloc.lieu)).append(", ");
    html.append(Echappe(bloc.departement)).append("</p>\n<p>").append(Echappe(bloc.dates));
    html.append("</p>\n").append(ajouts.banniere);
    html.append("</header>\n<main>\n");
    for (std::string_view partie : corps)
        html.append(partie);
    html.append("</main>\n<footer><p>");
    html.append(Echappe(pied)).append("</p></footer>\n</body>\n</html>\n");
}

std::string EnteteVue(const BlocTitre& bloc)
{
    std::string html = "<h1>" + Echappe(Typographie(bloc.entete));
    if (!bloc.sousTitre.empty())
        html += " <small>" + Echappe(Typographie(bloc.sousTitre)) + "</small>";
    return html + "</h1>\n";
}

std::string Table(const TableVue& table, std::string_view legende, const Lien& lien)
{
    return TableRepliee(table, legende, lien, {});
}

std::string Classement(const TableVue& table, std::string_view legende, std::size_t total,
                       const Lien& lien)
{
    return TableRepliee(table, legende, lien, {true, total});
}

std::string Typographie(std::string texte)
{
    static constexpr std::pair<std::string_view, std::string_view> ACCENTS[] = {
        {"Ecart-Type", "Écart-type"}, {"Ecart", "Écart"}};
    for (const auto& [avant, apres] : ACCENTS)
        for (std::size_t p = texte.find(avant); p != std::string::npos;
             p = texte.find(avant, p + apres.size()))
            if (p == 0 || texte[p - 1] == ' ' || texte[p - 1] == '(')
                texte.replace(p, avant.size(), apres);
    return texte;
}

std::string Diagramme(const DiagrammeVue& vue, int juge)
{
    // The screen's drawing in tenths of a millimetre: the chart's origin 27 mm from the left
    // and 13.5 mm above the bottom, 2.25 mm per percentage point, bars 9.9 mm wide.
    constexpr double X0 = 270;
    constexpr double Y0 = 1262;
    constexpr double POINT = 22.5;
    constexpr double BARRE = 99;
    const std::string id = "diagramme-" + std::to_string(juge);
    std::string svg = "<figure>\n<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1420 "
                      "1397\" width=\"473\" height=\"466\" role=\"img\" aria-labelledby=\"" +
                      id + "\">\n<title id=\"" + id + "\">" + Echappe(vue.titre) + " " +
                      Echappe(vue.nom) + "</title>\n<g font-size=\"50\" fill=\"#111\">\n";
    for (std::size_t k = 0; k < vue.graduations.size(); ++k) {
        const std::string y = Nombre(Y0 - POINT * 10.0 * static_cast<double>(k));
        svg += "<line x1=\"" + Nombre(X0 - 27) + "\" y1=\"" + y + "\" x2=\"" + Nombre(X0) +
               "\" y2=\"" + y + "\" stroke=\"#111\" stroke-width=\"4\"/><text x=\"" +
               Nombre(X0 - 54) + "\" y=\"" + y + "\" text-anchor=\"end\" dy=\"17\">" +
               Echappe(vue.graduations[k]) + "</text>\n";
    }
    for (std::size_t m = 0; m < vue.notes.size(); ++m) {
        const double x = X0 + BARRE * static_cast<double>(m);
        const double hauteur = POINT * vue.pourcentages[m];
        svg += "<rect x=\"" + Nombre(x) + "\" y=\"" + Nombre(Y0 - hauteur) + "\" width=\"" +
               Nombre(BARRE) + "\" height=\"" + Nombre(hauteur) +
               "\" fill=\"#9db4d6\" stroke=\"#111\" stroke-width=\"4\"/><text x=\"" +
               Nombre(x + BARRE / 2) + "\" y=\"" + Nombre(Y0 + 80) + "\" text-anchor=\"middle\">" +
               Echappe(vue.notes[m]) + "</text>\n";
    }
    svg += "<path d=\"M" + Nombre(X0) + " " + Nombre(Y0 - POINT * 50) + "V" + Nombre(Y0) + "H" +
           Nombre(X0 + BARRE * 11) + "\" fill=\"none\" stroke=\"#111\" stroke-width=\"4\"/>\n";
    svg += "</g>\n</svg>\n<figcaption>" + Echappe(vue.nom) + " &#8211; " + Echappe(vue.moyenne) +
           " &#8211; " + Echappe(Typographie(vue.ecartType)) + "</figcaption>\n</figure>\n";
    return svg + Table(vue.table, "Part de chaque note (%)");
}

std::string_view FeuilleDeStyle()
{
    return STYLE;
}

std::string_view Icone()
{
    return ICONE;
}

} // namespace tavo::html
