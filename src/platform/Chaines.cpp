// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Chaines.h"

#include "model/Cp1252.h"

#include <QFile>

namespace tavo {

QString NomTavo()
{
    return QStringLiteral("Tavo 2000");
}

QString Texte(const char* cp1252)
{
    return cp1252 ? QString::fromStdString(Cp1252VersUtf8(cp1252)) : QString();
}

QString SurUneLigne(const QString& texte)
{
    QString ligne;
    ligne.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t c = texte[i].unicode();
        if (c == u'\r' && i + 1 < texte.size() && texte[i + 1] == u'\n')
            continue; // CR LF: one space, for the LF
        const bool controle = c < 0x20 || c == 0x7F || c == 0x85 || c == 0x2028 || c == 0x2029;
        ligne += controle ? QChar(u' ') : texte[i];
    }
    return ligne;
}

namespace {

/** Near equivalents of characters that have no decomposition into Windows-1252. */
constexpr std::pair<char32_t, char16_t> PROCHES[] = {
    {U'\u0110', u'D'}, {U'\u0111', u'd'},      {U'\u0126', u'H'}, {U'\u0127', u'h'},
    {U'\u0131', u'i'}, {U'\u0141', u'L'},      {U'\u0142', u'l'}, {U'\u0166', u'T'},
    {U'\u0167', u't'}, {U'\u02BC', u'\u2019'}, {U'\u2010', u'-'}, {U'\u2011', u'-'},
    {U'\u2012', u'-'}, {U'\u2015', u'\u2014'}, {U'\u2212', u'-'},
};

bool ToutCp1252(const QString& texte)
{
    for (const char32_t cp : texte.toUcs4())
        if (!DansCp1252(cp))
            return false;
    return true;
}

/** The nearest text Windows-1252 has for one code point it lacks; empty when none. */
QString Proche(char32_t cp)
{
    for (const auto& [de, vers] : PROCHES)
        if (de == cp)
            return QString(QChar(vers));
    QString base;
    for (const QChar c : QString::fromUcs4(&cp, 1).normalized(QString::NormalizationForm_KD))
        if (!c.isMark())
            base += c;
    return ToutCp1252(base) ? base : QString();
}

} // namespace

TTexteCp1252 ProcheCp1252(const QString& texte)
{
    TTexteCp1252 r;
    for (const char32_t cp : texte.normalized(QString::NormalizationForm_C).toUcs4()) {
        if (DansCp1252(cp)) {
            r.Texte += QString::fromUcs4(&cp, 1);
            continue;
        }
        // A lone accent is shown on a dotted circle.
        QString seul = QString::fromUcs4(&cp, 1);
        if (seul.front().isMark())
            seul.prepend(QChar(0x25CC));
        const QString proche = Proche(cp);
        r.Texte += proche;
        if (proche.isEmpty()) {
            if (!r.Retires.contains(seul))
                r.Retires << seul;
        } else if (!r.Remplaces.contains(std::pair(seul, proche))) {
            r.Remplaces.append({seul, proche});
        }
    }
    return r;
}

std::string VersCp1252(const QString& texte)
{
    return Utf8VersCp1252(texte.toStdString());
}

std::string CheminNatif(const QString& chemin)
{
    return QFile::encodeName(chemin).toStdString();
}

QString CheminQt(const char* natif)
{
    return natif ? QFile::decodeName(natif) : QString();
}

} // namespace tavo
