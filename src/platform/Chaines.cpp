// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Chaines.h"

#include "model/Cp1252.h"

#include <QFile>

namespace tavo {

QString Texte(const char* cp1252)
{
    return cp1252 ? QString::fromStdString(Cp1252VersUtf8(cp1252)) : QString();
}

QString NomPrenom(const char* nom, const char* prenom)
{
    return QStringLiteral(" ") + Texte(nom) + QStringLiteral(" ") + Texte(prenom);
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
