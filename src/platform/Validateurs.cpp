// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Validateurs.h"

#include "platform/Chaines.h"

#include <QLineEdit>

namespace tavo {

bool TValidator::IsValidInput(QString&, bool) const
{
    return true;
}

bool TValidator::IsValid(const QString&) const
{
    return true;
}

bool TValidator::AccepteSaisie(const QString&, QString& apres) const
{
    return IsValidInput(apres, true);
}

// ---------------------------------------------------------------------------

TFilterValidator::TFilterValidator(const QString& filtre)
    : m_filtre(filtre)
{
    for (qsizetype i = 0; i < filtre.size(); ++i) {
        const char16_t c = filtre[i].unicode();
        if (i + 2 < filtre.size() && filtre[i + 1] == u'-') {
            const char16_t fin = filtre[i + 2].unicode();
            m_plages.append({std::min(c, fin), std::max(c, fin)});
            i += 2;
        } else {
            m_plages.append({c, c});
        }
    }
}

bool TFilterValidator::Accepte(QChar c) const
{
    for (const Plage& p : m_plages)
        if (c.unicode() >= p.De && c.unicode() <= p.A)
            return true;
    return false;
}

bool TFilterValidator::IsValidInput(QString& texte, bool) const
{
    return IsValid(texte);
}

bool TFilterValidator::IsValid(const QString& texte) const
{
    for (QChar c : texte)
        if (!Accepte(c))
            return false;
    return true;
}

QString TFilterValidator::Erreur() const
{
    return QStringLiteral("Seuls ces caractères sont acceptés : ") + m_filtre;
}

bool TFilterValidator::AccepteSaisie(const QString& avant, QString& apres) const
{
    // What lies between the common start and the common end was typed or pasted.
    qsizetype debut = 0;
    const qsizetype commun = std::min(avant.size(), apres.size());
    while (debut < commun && avant[debut] == apres[debut])
        ++debut;
    qsizetype fin = 0;
    while (fin < commun - debut && avant[avant.size() - 1 - fin] == apres[apres.size() - 1 - fin])
        ++fin;
    return IsValid(apres.mid(debut, apres.size() - debut - fin));
}

// ---------------------------------------------------------------------------

TPXPictureValidator::TPXPictureValidator(const QString& picture, bool autoFill)
    : m_picture(picture)
    , m_autoFill(autoFill)
{
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar c = picture[i];
        if (c == u';' && i + 1 < picture.size())
            m_symboles.append({picture[++i], true});
        else if (c == u'#' || c == u'?' || c == u'&' || c == u'@' || c == u'!')
            m_symboles.append({c, false});
        else
            m_symboles.append({c, true});
    }
}

TPXPictureValidator::TPicResult TPXPictureValidator::Picture(QString& texte, bool autoFill) const
{
    if (texte.isEmpty())
        return prEmpty;
    if (texte.size() > m_symboles.size())
        return prError;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const Symbole& s = m_symboles[i];
        QChar& c = texte[i];
        if (s.Fixe) {
            if (c == u' ')
                c = s.Code;
            else if (c.toUpper() != s.Code.toUpper())
                return prError;
            continue;
        }
        switch (s.Code.unicode()) {
        case u'#':
            if (c < u'0' || c > u'9')
                return prError;
            break;
        case u'?':
        case u'&':
            if (!c.isLetter())
                return prError;
            if (s.Code == u'&')
                c = c.toUpper();
            break;
        case u'!':
            c = c.toUpper();
            break;
        default: // '@'
            break;
        }
    }
    if (autoFill)
        while (texte.size() < m_symboles.size() && m_symboles[texte.size()].Fixe)
            texte.append(m_symboles[texte.size()].Code);
    return texte.size() == m_symboles.size() ? prComplete : prIncomplete;
}

bool TPXPictureValidator::IsValidInput(QString& texte, bool suppressFill) const
{
    return Picture(texte, m_autoFill && !suppressFill) != prError;
}

bool TPXPictureValidator::IsValid(const QString& texte) const
{
    QString copie = texte;
    const TPicResult r = Picture(copie, false);
    return r == prComplete || r == prEmpty;
}

QString TPXPictureValidator::Erreur() const
{
    return QStringLiteral("Le texte doit suivre le modèle ") + m_picture +
           QStringLiteral(" (# : un chiffre).");
}

// ---------------------------------------------------------------------------

TDateValidator::TDateValidator()
    : TPXPictureValidator(QStringLiteral("##/##/####"))
{}

bool TDateValidator::IsValidInput(QString& texte, bool suppressFill) const
{
    if (!TPXPictureValidator::IsValidInput(texte, suppressFill))
        return false;
    // The picture has placed every digit and slash; the numbers only read digits.
    const auto nombre = [&texte](qsizetype debut, qsizetype longueur) {
        int n = 0;
        for (qsizetype i = debut; i < std::min(texte.size(), debut + longueur); ++i)
            if (texte[i].isDigit())
                n = n * 10 + texte[i].digitValue();
        return n;
    };
    if (!texte.isEmpty() && texte[0] >= u'4')
        return false;
    if (nombre(0, 2) >= 32)
        return false;
    if (texte.size() >= 4 && texte[3] >= u'2')
        return false;
    if (texte.size() >= 4 && nombre(3, 2) >= 13)
        return false;
    if (texte.size() >= 7 && texte[6] <= u'0')
        return false;
    return true;
}

bool TDateValidator::IsValid(const QString& texte) const
{
    QString copie = texte;
    return TPXPictureValidator::IsValid(texte) && IsValidInput(copie, true);
}

QString TDateValidator::Erreur() const
{
    return QStringLiteral("La date doit s'écrire jj/mm/aaaa, par exemple 14/07/2026.");
}

// ---------------------------------------------------------------------------

TValidateurQt::TValidateurQt(const TValidator& validateur, QLineEdit* edit)
    : QValidator(edit)
    , m_validateur(validateur)
    , m_dernier(edit->text())
{
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) { m_dernier = t; });
}

void TValidateurLigne::MetSurUneLigne(QString& texte, int& position)
{
    const QString ligne = SurUneLigne(texte);
    if (ligne == texte)
        return;
    position = static_cast<int>(SurUneLigne(texte.left(position)).size());
    texte = ligne;
}

QValidator::State TValidateurLigne::validate(QString& texte, int& position) const
{
    MetSurUneLigne(texte, position);
    return Acceptable;
}

QValidator::State TValidateurQt::validate(QString& texte, int& position) const
{
    TValidateurLigne::MetSurUneLigne(texte, position);
    if (texte == m_dernier)
        return m_validateur.IsValid(texte) ? Acceptable : Intermediate;
    if (!m_validateur.AccepteSaisie(m_dernier, texte))
        return Invalid;
    return m_validateur.IsValid(texte) ? Acceptable : Intermediate;
}

} // namespace tavo
