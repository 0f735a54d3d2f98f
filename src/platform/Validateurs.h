// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QString>
#include <QValidator>

class QLineEdit;

namespace tavo {

/** Every letter of Windows-1252 in both cases, as a filter text. */
inline constexpr char LETTRES_CP1252[] = "A-Za-zÀ-ÖØ-öø-ÿŠšŒœŽžŸ";

/**
 * Checks what an edit control holds: each keystroke (`IsValidInput`, which may
 * complete the text) and the whole text when the dialog closes (`IsValid`).
 */
class TValidator
{
public:
    virtual ~TValidator() = default;

    /** True when the text being typed may still become valid. */
    virtual bool IsValidInput(QString& texte, bool suppressFill) const;
    /** True when the complete text is acceptable. */
    virtual bool IsValid(const QString& texte) const;
    /** What is expected, for the message shown when the text is refused. */
    virtual QString Erreur() const = 0;
    /** Why the change from `avant` to `apres` is refused, in a sentence; `Erreur` by default. */
    virtual QString Refus(const QString& avant, const QString& apres) const;

    /**
     * The keystroke check as an edit sees it: `avant` became `apres`. By
     * default the whole new text goes through `IsValidInput`.
     */
    virtual bool AccepteSaisie(const QString& avant, QString& apres) const;
};

/**
 * A set of characters, written as in a filter text: single characters and
 * ranges "a-z"; a "-" at either end stands for itself. Typed characters must
 * belong to the set; text that was already there is not re-checked.
 */
class TFilterValidator : public TValidator
{
public:
    explicit TFilterValidator(const QString& filtre);

    bool Accepte(QChar c) const;
    bool IsValidInput(QString& texte, bool suppressFill) const override;
    bool IsValid(const QString& texte) const override;
    QString Erreur() const override;
    /** Only the characters inserted between `avant` and `apres` are checked. */
    bool AccepteSaisie(const QString& avant, QString& apres) const override;
    /** Names the inserted characters that do not belong to the set. */
    QString Refus(const QString& avant, const QString& apres) const override;

    const QString& Filtre() const { return m_filtre; }

private:
    struct Plage
    {
        char16_t De;
        char16_t A;
    };
    QString m_filtre;
    QList<Plage> m_plages;
    bool m_chiffres = true; ///< the set holds digits only
};

/**
 * A picture the text must follow, one character of the text per symbol:
 * "#" a digit, "?" a letter, "&" a letter (made upper case), "@" any
 * character, "!" any character (made upper case), ";x" the character x itself,
 * and any other character stands for itself. A space typed where the picture
 * has a fixed character is replaced by it. Without automatic filling the
 * fixed characters are typed by the user.
 */
class TPXPictureValidator : public TValidator
{
public:
    enum TPicResult
    {
        prComplete,
        prIncomplete,
        prEmpty,
        prError,
    };

    explicit TPXPictureValidator(const QString& picture, bool autoFill = false);

    /** Matches (and may adjust) the text against the picture. */
    TPicResult Picture(QString& texte, bool autoFill) const;

    bool IsValidInput(QString& texte, bool suppressFill) const override;
    /** A complete or empty text. */
    bool IsValid(const QString& texte) const override;
    QString Erreur() const override;

    const QString& GetPicture() const { return m_picture; }

private:
    struct Symbole
    {
        QChar Code; ///< '#', '?', '&', '@', '!' or the fixed character
        bool Fixe;
    };
    QString m_picture;
    bool m_autoFill;
    QList<Symbole> m_symboles;
};

/**
 * A date "jj/mm/aaaa" while it is typed: the picture, a day below 32 (its
 * first digit below 4), a month below 13 (its first digit below 2) and a year
 * that does not start with 0.
 */
class TDateValidator : public TPXPictureValidator
{
public:
    TDateValidator();

    bool IsValidInput(QString& texte, bool suppressFill) const override;
    bool IsValid(const QString& texte) const override;
    QString Erreur() const override;
};

/**
 * A radio frequency in MHz or GHz: one or two digits, then a point and one to
 * three digits ("35.030", "2.4"), or the digits alone ("35"). A comma or a
 * space typed for the point is the point.
 */
class TFrequenceValidator : public TValidator
{
public:
    bool IsValidInput(QString& texte, bool suppressFill) const override;
    bool IsValid(const QString& texte) const override;
    QString Erreur() const override;
};

/** How a field is kept, which tells what its capacity counts. */
enum class TStockage
{
    Cp1252, ///< a record's text: one byte per character of Windows-1252
    Chemin, ///< a path: the bytes of the file system's encoding, every character kept
};

/**
 * The check of a one-line edit, for what the user types or pastes (a text the
 * program put there is taken as it is):
 * - line breaks and other control characters become spaces (`SurUneLigne`);
 * - in a record's text, accents written apart are joined to their letter;
 *   without a validator (a free text) characters Windows-1252 lacks are
 *   replaced by their nearest or removed (`ProcheCp1252`); with one, what it
 *   refuses leaves the text as it was;
 * - the text never grows past `limite` (characters, or bytes for a path; 0 for
 *   no limit): a keystroke into a full field is refused, a paste is cut.
 * Each change the user makes reports its hint: why it was refused or altered,
 * or an empty text when it went in as typed.
 */
class TValidateurQt : public QValidator
{
    Q_OBJECT

public:
    /** `validateur`, null for a free text, is owned by the caller and outlives the edit. */
    TValidateurQt(QLineEdit* edit, const TValidator* validateur, int limite = 0,
                  TStockage stockage = TStockage::Cp1252);

    State validate(QString& texte, int& position) const override;

    /** `signale` receives the hint of every change the user makes. */
    void SurIndication(std::function<void(const QString&)> signale);
    /** The hint of the user's last change; empty when it went in as typed. */
    const QString& Indication() const { return m_indication; }

    /** Puts `texte` on one line, moving `position` with the text before it. */
    static void MetSurUneLigne(QString& texte, int& position);

private:
    /** The checks of a change the user made; sets `indication` when it is refused or altered. */
    State Verifie(QString& texte, int& position, QString& indication) const;
    /** Cuts what was inserted to fit the limit; false when nothing of it fits. */
    bool Limite(QString& texte, int& position, QStringList& indications) const;
    /** What the text takes in its record. */
    qsizetype Taille(const QString& texte) const;
    State Etat(const QString& texte) const;

    QLineEdit* m_edit;
    const TValidator* m_validateur;
    int m_limite;
    TStockage m_stockage;
    std::function<void(const QString&)> m_signale;
    QString m_dernier; ///< the edit's text before the change being checked
    mutable QString m_indication;
};

} // namespace tavo
