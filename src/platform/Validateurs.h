// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace tavo {

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

    const QString& Filtre() const { return m_filtre; }

private:
    struct Plage
    {
        char16_t De;
        char16_t A;
    };
    QString m_filtre;
    QList<Plage> m_plages;
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
 * The check every one-line edit has: typed or pasted line breaks and other
 * control characters become spaces (`SurUneLigne`), so they never reach a record.
 */
class TValidateurLigne : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& texte, int& position) const override;
    /** Puts `texte` on one line, moving `position` with the text before it. */
    static void MetSurUneLigne(QString& texte, int& position);
};

/**
 * Puts a validator on a Qt edit: refused keystrokes leave the text as it was.
 * Line breaks become spaces first, as in every edit.
 */
class TValidateurQt : public QValidator
{
    Q_OBJECT

public:
    /** The validator is owned by the caller and outlives the edit. */
    TValidateurQt(const TValidator& validateur, QLineEdit* edit);

    State validate(QString& texte, int& position) const override;

private:
    const TValidator& m_validateur;
    QString m_dernier; ///< the edit's text before the change being checked
};

} // namespace tavo
