// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Validateurs.h"

#include "platform/Chaines.h"

#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>

namespace tavo {

namespace {

/**
 * What was inserted to make `apres` out of `avant`: its start and length in
 * `apres`, between the common beginning and the common end, whole characters.
 */
std::pair<qsizetype, qsizetype> PartieInseree(const QString& avant, const QString& apres)
{
    qsizetype debut = 0;
    const qsizetype commun = std::min(avant.size(), apres.size());
    while (debut < commun && avant[debut] == apres[debut])
        ++debut;
    qsizetype fin = 0;
    while (fin < commun - debut && avant[avant.size() - 1 - fin] == apres[apres.size() - 1 - fin])
        ++fin;
    qsizetype finInsere = apres.size() - fin;
    if (debut > 0 && debut < apres.size() && apres[debut].isLowSurrogate())
        --debut;
    if (finInsere > debut && finInsere < apres.size() && apres[finInsere].isLowSurrogate())
        ++finInsere;
    return {debut, finInsere - debut};
}

/** Each character of a text, surrogate pairs kept together. */
QStringList Caracteres(const QString& texte)
{
    QStringList caracteres;
    for (const char32_t cp : texte.toUcs4())
        caracteres << QString::fromUcs4(&cp, 1);
    return caracteres;
}

/** "a", "a et b", "a, b et c". */
QString Enumere(const QStringList& elements)
{
    if (elements.size() < 2)
        return elements.join(QString());
    return elements.first(elements.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" et ") +
           elements.last();
}

/** A character named in a hint; the spaces one cannot see by their names. */
QString Cite(const QString& c)
{
    if (c == u' ')
        return QStringLiteral("l'espace");
    if (c == u'\u00A0')
        return QStringLiteral("l'espace insécable");
    if (c == u'\u202F')
        return QStringLiteral("l'espace fine insécable");
    if (c.size() == 1 && c.front().isSpace())
        return QStringLiteral("l'espace U+%1").arg(c.front().unicode(), 4, 16, QLatin1Char('0'));
    return QStringLiteral("« %1 »").arg(c);
}

/** What the free texts say of the characters that Windows-1252 lacks. */
QString MessageProche(const TTexteCp1252& proche)
{
    QStringList parties;
    for (const auto& [de, vers] : proche.Remplaces)
        parties << QStringLiteral("%1 devient %2").arg(Cite(de), Cite(vers));
    if (!proche.Retires.isEmpty()) {
        QStringList retires;
        for (const QString& c : proche.Retires)
            retires << Cite(c);
        parties << Enumere(retires) + (retires.size() == 1 ? QStringLiteral(" est retiré")
                                                           : QStringLiteral(" sont retirés"));
    }
    const bool plusieurs = proche.Remplaces.size() + proche.Retires.size() > 1;
    return (plusieurs ? QStringLiteral("Caractères absents du fichier du concours : ")
                      : QStringLiteral("Caractère absent du fichier du concours : ")) +
           parties.join(QStringLiteral(", ")) + u'.';
}

} // namespace

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

QString TValidator::Refus(const QString&, const QString&) const
{
    return Erreur();
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
    for (const Plage& p : m_plages)
        m_chiffres = m_chiffres && p.De >= u'0' && p.A <= u'9';
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
    const auto [debut, longueur] = PartieInseree(avant, apres);
    return IsValid(apres.mid(debut, longueur));
}

QString TFilterValidator::Refus(const QString& avant, const QString& apres) const
{
    const auto [debut, longueur] = PartieInseree(avant, apres);
    QStringList refuses;
    for (const QString& c : Caracteres(apres.mid(debut, longueur)))
        if ((c.size() > 1 || !Accepte(c.front())) && !refuses.contains(Cite(c)))
            refuses << Cite(c);
    if (refuses.isEmpty())
        return Erreur();
    QString texte;
    if (refuses.size() > 1)
        texte = QStringLiteral("Les caractères %1 ne sont pas acceptés dans ce champ.")
                    .arg(Enumere(refuses));
    else if (refuses.front().startsWith(u'l'))
        texte = QStringLiteral("%1 n'est pas accepté dans ce champ.").arg(refuses.front());
    else
        texte =
            QStringLiteral("Le caractère %1 n'est pas accepté dans ce champ.").arg(refuses.front());
    texte[0] = texte[0].toUpper();
    if (m_chiffres)
        texte += QStringLiteral(" Il ne prend que des chiffres.");
    return texte;
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

bool TFrequenceValidator::IsValidInput(QString& texte, bool) const
{
    texte.replace(u',', u'.').replace(u' ', u'.');
    static const QRegularExpression enCours(
        QStringLiteral("^([0-9]{0,2}|[0-9]{1,2}\\.[0-9]{0,3})$"));
    return enCours.match(texte).hasMatch();
}

bool TFrequenceValidator::IsValid(const QString& texte) const
{
    static const QRegularExpression complete(QStringLiteral("^([0-9]{1,2}(\\.[0-9]{1,3})?)?$"));
    return complete.match(texte).hasMatch();
}

QString TFrequenceValidator::Erreur() const
{
    return QStringLiteral("La fréquence s'écrit avec un ou deux chiffres, puis une virgule et un "
                          "à trois chiffres, par exemple 35,030 ou 2,4.");
}

// ---------------------------------------------------------------------------

TValidateurQt::TValidateurQt(QLineEdit* edit, const TValidator* validateur, int limite,
                             TStockage stockage)
    : QValidator(edit)
    , m_edit(edit)
    , m_validateur(validateur)
    , m_limite(limite)
    , m_stockage(stockage)
    , m_dernier(edit->text())
{
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) { m_dernier = t; });
}

void TValidateurQt::SurIndication(std::function<void(const QString&)> signale)
{
    m_signale = std::move(signale);
}

void TValidateurQt::MetSurUneLigne(QString& texte, int& position)
{
    const QString ligne = SurUneLigne(texte);
    if (ligne == texte)
        return;
    position = static_cast<int>(SurUneLigne(texte.left(position)).size());
    texte = ligne;
}

QValidator::State TValidateurQt::Etat(const QString& texte) const
{
    return !m_validateur || m_validateur->IsValid(texte) ? Acceptable : Intermediate;
}

qsizetype TValidateurQt::Taille(const QString& texte) const
{
    if (m_stockage == TStockage::Chemin)
        return QFile::encodeName(texte).size();
    return texte.toUcs4().size();
}

QValidator::State TValidateurQt::validate(QString& texte, int& position) const
{
    MetSurUneLigne(texte, position);
    // What the program put there, or what this check has just adjusted, is taken as it is.
    if (texte == m_dernier || !m_edit->isModified())
        return Etat(texte);
    QString indication;
    const State etat = Verifie(texte, position, indication);
    m_indication = indication;
    if (m_signale)
        m_signale(indication);
    return etat;
}

QValidator::State TValidateurQt::Verifie(QString& texte, int& position, QString& indication) const
{
    QStringList indications;
    if (m_stockage == TStockage::Cp1252) {
        auto [debut, longueur] = PartieInseree(m_dernier, texte);
        // An accent written apart joins the letter before it.
        if (debut > 0 && longueur > 0 && texte[debut].isMark()) {
            --debut;
            ++longueur;
        }
        const QString insere = texte.mid(debut, longueur);
        QString garde = insere.normalized(QString::NormalizationForm_C);
        if (!m_validateur) {
            const TTexteCp1252 proche = ProcheCp1252(insere);
            if (!proche.Remplaces.isEmpty() || !proche.Retires.isEmpty())
                indications << MessageProche(proche);
            garde = proche.Texte;
        }
        if (garde != insere) {
            texte = texte.left(debut) + garde + texte.mid(debut + longueur);
            position = static_cast<int>(debut + garde.size());
        }
    }
    if (m_validateur && !m_validateur->AccepteSaisie(m_dernier, texte)) {
        indication = m_validateur->Refus(m_dernier, texte);
        return Invalid;
    }
    const bool tient = Limite(texte, position, indications);
    indication = indications.join(u' ');
    // Nothing is left of the change (an emoji alone pasted, a key in a full field).
    if (!tient || texte == m_dernier)
        return Invalid;
    return Etat(texte);
}

bool TValidateurQt::Limite(QString& texte, int& position, QStringList& indications) const
{
    if (m_limite <= 0 || Taille(texte) <= m_limite)
        return true;
    const auto [debut, longueur] = PartieInseree(m_dernier, texte);
    if (longueur == 0)
        return true; // a deletion is always allowed
    const QString reste = texte.left(debut) + texte.mid(debut + longueur);
    qsizetype place = m_limite - Taille(reste);
    QString garde;
    for (const QString& c : Caracteres(texte.mid(debut, longueur))) {
        place -= Taille(c);
        if (place < 0)
            break;
        garde += c;
    }
    const QString unite = m_stockage == TStockage::Chemin
                              ? QStringLiteral("%1 octets au plus (un caractère accentué en "
                                               "compte deux ou plus)")
                                    .arg(m_limite)
                              : QStringLiteral("%1 caractères au plus").arg(m_limite);
    if (garde.isEmpty()) {
        indications << QStringLiteral("Ce champ est plein : il garde %1.").arg(unite);
        return false;
    }
    indications << QStringLiteral("Le texte collé a été coupé : ce champ garde %1.").arg(unite);
    texte = texte.left(debut) + garde + texte.mid(debut + longueur);
    position = static_cast<int>(debut + garde.size());
    return true;
}

} // namespace tavo
