// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

#include <QString>
#include <QStringList>

namespace tavo {

/** "Tavo 2000": the program's name, the title of its message boxes. */
QString NomTavo();

/** One of the program's UTF-8 messages as a QString. */
inline QString Message(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

/** A record's Windows-1252 text as a QString. */
QString Texte(const char* cp1252);

/**
 * A text made fit for a one-line field: every line break (CR LF counting as
 * one, LF, CR, U+0085, U+2028, U+2029) and every other control character
 * (U+0000-U+001F, U+007F) becomes a space.
 */
QString SurUneLigne(const QString& texte);

/** A text brought within Windows-1252, and what had to change for it. */
struct TTexteCp1252
{
    QString Texte;
    QList<std::pair<QString, QString>> Remplaces; ///< ("ő", "o"): each character replaced, once
    QStringList Retires; ///< each character with no near equivalent, removed, once
};

/**
 * The text as close as Windows-1252 allows: accents written apart are joined
 * to their letter, a character the code page lacks becomes its base letter or
 * its compatibility form when those exist there ("ő" → "o", "ﬁ" → "fi", a
 * narrow no-break space → a space, "ł" → "l", "−" → "-"), and any other is
 * removed.
 */
TTexteCp1252 ProcheCp1252(const QString& texte);

/** A QString as Windows-1252 bytes for a record (characters it cannot hold become '?'). */
std::string VersCp1252(const QString& texte);

/**
 * A path as the file functions of the core take it, and as the options keep
 * their directories: the bytes of the file system's encoding.
 */
std::string CheminNatif(const QString& chemin);

/** A path of the core or of the options as a QString. */
QString CheminQt(const char* natif);

} // namespace tavo
