// SPDX-License-Identifier: GPL-3.0-or-later
#include "publication/Html.h"

#include "model/Texte.h"

#include <map>
#include <string>

namespace tavo::html {

namespace {

const char* Classe(const ColonneVue& colonne)
{
    if (colonne.nombre)
        return colonne.alignCellule == Alignement::Centre ? " class=\"c\"" : " class=\"n\"";
    return " class=\"g\"";
}

// The cells' class most columns have: the table's own, which its cells do not repeat.
std::string ClasseCourante(const std::vector<ColonneVue>& colonnes)
{
    std::map<std::string, int> nombres;
    for (const ColonneVue& colonne : colonnes)
        ++nombres[Classe(colonne)];
    std::string courante;
    int plus = 0;
    for (const auto& [classe, n] : nombres)
        if (n > plus) {
            courante = classe;
            plus = n;
        }
    return courante;
}

// The row heads: the first column holding names.
std::size_t ColonneDesNoms(const std::vector<ColonneVue>& colonnes)
{
    for (std::size_t c = 0; c < colonnes.size(); ++c)
        if (colonnes[c].alignCellule == Alignement::Gauche)
            return c;
    return 0;
}

std::string Entetes(const std::vector<ColonneVue>& colonnes)
{
    std::string html = "<thead><tr>";
    for (const ColonneVue& colonne : colonnes)
        html.append("<th scope=\"col\"")
            .append(Classe(colonne))
            .append(">")
            .append(Echappe(SansEspaces(colonne.titre)))
            .append("</th>");
    return html + "</tr></thead>\n";
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
header.concours .titre a { color: inherit; text-decoration: none; }
h1 { font-size: 1.25em; text-align: center; margin: 0.6em 0 0.2em; }
h1 small { display: block; font-size: 0.8em; font-weight: normal; }
h2 { font-size: 1.1em; margin: 1em 0 0.3em; }
a { color: #0645ad; }
nav ul { list-style: none; padding: 0; margin: 0.3em 0; display: flex; flex-wrap: wrap; gap: 0.3em 1em; }
.defile { overflow-x: auto; -webkit-overflow-scrolling: touch; max-width: 100%; }
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
.note { font-style: italic; }
figure { margin: 0.5em 0; }
svg { max-width: 100%; height: auto; }
footer { margin-top: 2em; font-size: 0.85em; color: #555; text-align: center; }
@media (max-width: 40em) { body { font-size: 0.92em; padding: 0 0.3em; } th, td { padding: 0.1em 0.3em; } }
)";

} // namespace

std::string Echappe(std::string_view utf8)
{
    std::string texte;
    texte.reserve(utf8.size());
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
    return texte;
}

std::string Page(const BlocTitre& bloc, std::string_view titre, std::string_view corps,
                 std::string_view pied)
{
    std::string html = "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>";
    html.append(Echappe(titre)).append(" - ").append(Echappe(bloc.titre));
    html += "</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n<body>\n"
            "<header class=\"concours\">\n<p class=\"titre\"><a href=\"index.html\">";
    html.append(Echappe(bloc.titre)).append("</a></p>\n<p>").append(Echappe(bloc.serie));
    html.append(" &#8211; ").append(Echappe(bloc.lieu)).append(", ");
    html.append(Echappe(bloc.departement)).append("</p>\n<p>").append(Echappe(bloc.dates));
    html.append("</p>\n</header>\n<main>\n").append(corps).append("</main>\n<footer><p>");
    html.append(Echappe(pied)).append("</p></footer>\n</body>\n</html>\n");
    return html;
}

std::string EnteteVue(const BlocTitre& bloc)
{
    std::string html = "<h1>" + Echappe(bloc.entete);
    if (!bloc.sousTitre.empty())
        html += " <small>" + Echappe(bloc.sousTitre) + "</small>";
    return html + "</h1>\n";
}

std::string Table(const TableVue& table, std::string_view legende, const Lien& lien)
{
    const std::vector<ColonneVue>& colonnes = table.Colonnes();
    const std::size_t noms = ColonneDesNoms(colonnes);
    const std::string courante = ClasseCourante(colonnes);
    std::vector<std::string> classes;
    for (const ColonneVue& colonne : colonnes)
        classes.emplace_back(Classe(colonne) == courante ? "" : Classe(colonne));
    std::string html = "<div class=\"defile\"><table" + courante + ">\n<caption>" +
                       Echappe(legende) + "</caption>\n" + Entetes(colonnes) + "<tbody>\n";
    html.reserve(html.size() + table.NbLignes() * colonnes.size() * 24);
    for (std::size_t i = 0; i < table.NbLignes(); ++i) {
        const std::vector<std::string> cellules = table.Ligne(i);
        html += "<tr>";
        for (std::size_t c = 0; c < cellules.size() && c < colonnes.size(); ++c) {
            const bool tete = c == noms;
            html.append(tete ? "<th scope=\"row\"" : "<td").append(classes[c]).append(">");
            std::string texte = Echappe(SansEspaces(cellules[c]));
            if (const std::string cible = lien ? lien(i, c) : std::string(); !cible.empty())
                texte = "<a href=\"" + Echappe(cible) + "\">" + texte + "</a>";
            html.append(texte).append(tete ? "</th>" : "</td>");
        }
        html += "</tr>\n";
    }
    return html + "</tbody>\n</table></div>\n";
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
    std::string svg = "<figure>\n<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1980 "
                      "1397\" width=\"660\" height=\"466\" role=\"img\" aria-labelledby=\"" +
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
           " &#8211; " + Echappe(vue.ecartType) + "</figcaption>\n</figure>\n";
    return svg + Table(vue.table, "Part de chaque note (%)");
}

std::string_view FeuilleDeStyle()
{
    return STYLE;
}

} // namespace tavo::html
