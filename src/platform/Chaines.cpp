// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Chaines.h"

#include "model/Cp1252.h"
#include "scoring/Messages.h"

#include <QFile>

namespace tavo {

QString NomTavo()
{
    return QString::fromUtf8(messages::TAVO);
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
