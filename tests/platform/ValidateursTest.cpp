// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Validateurs.h"

#include "support/Frappe.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

using namespace tavo;

namespace {

const QString LETTRES = QString::fromUtf8(LETTRES_CP1252) + QStringLiteral(" '.-");

/** What an edit holds after the characters are typed one by one. */
QString Tape(const TValidator& v, const QString& frappes, const QString& depart = {})
{
    QLineEdit edit;
    edit.setValidator(new TValidateurQt(&edit, &v));
    edit.setText(depart);
    edit.end(false);
    Frappe(&edit, frappes);
    return edit.text();
}

/** An edit checked as a dialog's field is, with what it stores at most. */
struct Champ
{
    explicit Champ(int limite, const TValidator* v = nullptr,
                   TStockage stockage = TStockage::Cp1252)
        : verif(new TValidateurQt(&edit, v, limite, stockage))
    {
        edit.setValidator(verif);
    }
    QLineEdit edit;
    TValidateurQt* verif;
};

} // namespace

TEST(FilterValidatorTest, everyWindows1252LetterAndTheEdgeHyphenBelongToTheSet)
{
    const TFilterValidator v(LETTRES);
    for (QChar c : QStringLiteral("azAZ '.-ÀÉÈÇËÖØßàéùñöøÿŠšŒœŽžŸ"))
        EXPECT_TRUE(v.Accepte(c)) << QString(c).toStdString();
    for (QChar c : QStringLiteral("0,(@×÷ƒőŁ"))
        EXPECT_FALSE(v.Accepte(c)) << QString(c).toStdString();
    EXPECT_TRUE(TFilterValidator(QStringLiteral("0-9")).IsValid(QStringLiteral("0123456789")));
    EXPECT_FALSE(TFilterValidator(QStringLiteral("0-9")).IsValid(QStringLiteral("12a")));
}

TEST(FilterValidatorTest, refusedCharactersAreNamedAndNeverDropped)
{
    const TFilterValidator v(LETTRES);
    Champ nom(20, &v);
    Frappe(&nom.edit, QStringLiteral("Hélène-Marie, 2"));
    EXPECT_EQ(nom.edit.text(), QStringLiteral("Hélène-Marie "));
    EXPECT_EQ(nom.verif->Indication(),
              QStringLiteral("Le caractère « 2 » n'est pas accepté dans ce champ."));
    Frappe(&nom.edit, QStringLiteral("J"));
    EXPECT_TRUE(nom.verif->Indication().isEmpty());
    // A paste is refused whole, and says which characters it held; an accent apart joins its
    // letter.
    nom.edit.insert(QStringLiteral("N@l, 😀"));
    EXPECT_EQ(nom.edit.text(), QStringLiteral("Hélène-Marie J"));
    EXPECT_EQ(
        nom.verif->Indication(),
        QStringLiteral("Les caractères « @ », « , » et « 😀 » ne sont pas acceptés dans ce champ."));
    nom.edit.insert(QStringLiteral("oe\u0308l"));
    EXPECT_EQ(nom.edit.text(), QStringLiteral("Hélène-Marie Joël"));

    const TFilterValidator chiffres(QStringLiteral("0-9"));
    Champ licence(7, &chiffres);
    Frappe(&licence.edit, QStringLiteral("1 "));
    EXPECT_EQ(licence.verif->Indication(),
              QStringLiteral("L'espace n'est pas accepté dans ce champ. "
                             "Il ne prend que des chiffres."));
}

TEST(FilterValidatorTest, textAlreadyThereStaysEditable)
{
    // A text read from a file may hold characters the filter would refuse; what is typed is
    // still checked, from the first key on.
    const TFilterValidator v(LETTRES);
    EXPECT_EQ(Tape(v, QStringLiteral(", sud,"), QStringLiteral("Prés, Cluny")),
              QStringLiteral("Prés, Cluny sud"));
    QString apres = QStringLiteral("Prs, Cluny");
    EXPECT_TRUE(v.AccepteSaisie(QStringLiteral("Prés, Cluny"), apres)); // a deletion
}

TEST(FrequenceValidatorTest, oneOrTwoDigitsAndUpToThreeDecimalsCommaReadAsThePoint)
{
    const TFrequenceValidator v;
    EXPECT_EQ(Tape(v, QStringLiteral("2,4")), QStringLiteral("2.4"));
    EXPECT_EQ(Tape(v, QStringLiteral("35,030")), QStringLiteral("35.030"));
    EXPECT_EQ(Tape(v, QStringLiteral("7a2,.1x00999")), QStringLiteral("72.100"));
    EXPECT_EQ(Tape(v, QStringLiteral("721")), QStringLiteral("72"));
    EXPECT_EQ(Tape(v, QStringLiteral("72 1")), QStringLiteral("72.1"));
    EXPECT_EQ(Tape(v, QStringLiteral(",5")), QStringLiteral("5"));

    for (const char* bon : {"35.040", "2.4", "72.1", "35", ""})
        EXPECT_TRUE(v.IsValid(QString::fromLatin1(bon))) << bon;
    for (const char* mauvais : {"35.", "135", "3.5040", "35,040"})
        EXPECT_FALSE(v.IsValid(QString::fromLatin1(mauvais))) << mauvais;
}

TEST(ValidateurQtTest, freeTextKeepsWhatWindows1252CanHoldAndSaysWhatChanged)
{
    Champ texte(254);
    texte.edit.insert(QStringLiteral("Œuvre « ő » – ﬁn\u202Fe\u0301 😀中😀"));
    EXPECT_EQ(texte.edit.text(), QStringLiteral("Œuvre « o » – fin é "));
    EXPECT_EQ(texte.verif->Indication(),
              QStringLiteral("Caractères absents du fichier du concours : « ő » devient « o », "
                             "« ﬁ » devient « fi », l'espace fine insécable devient l'espace, "
                             "« 😀 » et « 中 » sont retirés."));
    texte.edit.insert(QStringLiteral("😀"));
    EXPECT_EQ(texte.edit.text(), QStringLiteral("Œuvre « o » – fin é "));
    EXPECT_EQ(texte.verif->Indication(),
              QStringLiteral("Caractère absent du fichier du concours : « 😀 » est retiré."));
}

TEST(ValidateurQtTest, aFieldHoldsWhatItsRecordStores)
{
    Champ texte(5);
    Frappe(&texte.edit, QStringLiteral("abcdef"));
    EXPECT_EQ(texte.edit.text(), QStringLiteral("abcde"));
    EXPECT_EQ(texte.verif->Indication(),
              QStringLiteral("Ce champ est plein : il garde 5 caractères au plus."));
    texte.edit.setText(QStringLiteral("ab"));
    texte.edit.end(false);
    texte.edit.insert(QStringLiteral("x😀yz"));
    EXPECT_EQ(texte.edit.text(), QStringLiteral("abxyz"));
    EXPECT_TRUE(texte.verif->Indication().startsWith(QStringLiteral("Caractère absent")));
    texte.edit.backspace(); // removing is always allowed
    EXPECT_EQ(texte.edit.text(), QStringLiteral("abxy"));
    texte.edit.insert(QStringLiteral("123"));
    EXPECT_EQ(texte.edit.text(), QStringLiteral("abxy1"));
    EXPECT_EQ(texte.verif->Indication(),
              QStringLiteral("Le texte collé a été coupé : ce champ garde 5 caractères au plus."));

    // A path counts its bytes: "é" takes two of them.
    Champ chemin(5, nullptr, TStockage::Chemin);
    chemin.edit.insert(QStringLiteral("/éé"));
    EXPECT_EQ(chemin.edit.text(), QStringLiteral("/éé"));
    Frappe(&chemin.edit, QStringLiteral("é"));
    EXPECT_EQ(chemin.edit.text(), QStringLiteral("/éé"));
    EXPECT_TRUE(chemin.verif->Indication().contains(QStringLiteral("5 octets au plus")));
    chemin.edit.setText(QString());
    chemin.edit.insert(QStringLiteral("中😀"));
    EXPECT_EQ(chemin.edit.text(), QStringLiteral("中")); // kept as typed, cut at a whole character
}

TEST(PictureValidatorTest, pictureResults)
{
    const TPXPictureValidator v(QStringLiteral("&?;#!@"));
    QString t = QStringLiteral("ab#c");
    EXPECT_EQ(v.Picture(t, false), TPXPictureValidator::prIncomplete);
    EXPECT_EQ(t, QStringLiteral("Ab#C"));
    t = QStringLiteral("ab#cd");
    EXPECT_EQ(v.Picture(t, false), TPXPictureValidator::prComplete);
    t = QStringLiteral("ab#cde");
    EXPECT_EQ(v.Picture(t, false), TPXPictureValidator::prError);
    t = QStringLiteral("a1");
    EXPECT_EQ(v.Picture(t, false), TPXPictureValidator::prError);
    t.clear();
    EXPECT_EQ(v.Picture(t, false), TPXPictureValidator::prEmpty);

    const TPXPictureValidator remplit(QStringLiteral("##/##"), true);
    t = QStringLiteral("12");
    EXPECT_TRUE(remplit.IsValidInput(t, false));
    EXPECT_EQ(t, QStringLiteral("12/"));
}

TEST(DateValidatorTest, keystrokeRules)
{
    const TDateValidator v;
    EXPECT_EQ(Tape(v, QStringLiteral("4")), QString());
    EXPECT_EQ(Tape(v, QStringLiteral("31/12/2000")), QStringLiteral("31/12/2000"));
    EXPECT_EQ(Tape(v, QStringLiteral("32")), QStringLiteral("3"));
    EXPECT_EQ(Tape(v, QStringLiteral("19/13")), QStringLiteral("19/1"));
    EXPECT_EQ(Tape(v, QStringLiteral("19/2")), QStringLiteral("19/"));
    EXPECT_EQ(Tape(v, QStringLiteral("01/01/0")), QStringLiteral("01/01/"));
    EXPECT_EQ(Tape(v, QStringLiteral("01 01 1999")), QStringLiteral("01/01/1999"));
    EXPECT_EQ(Tape(v, QStringLiteral("1/")), QStringLiteral("1"));
}

TEST(DateValidatorTest, completeDateAtClose)
{
    const TDateValidator v;
    EXPECT_TRUE(v.IsValid(QStringLiteral("14/07/2026")));
    EXPECT_TRUE(v.IsValid(QString()));
    EXPECT_FALSE(v.IsValid(QStringLiteral("14/07/26")));
    EXPECT_FALSE(v.IsValid(QStringLiteral("14/07/0999")));
    EXPECT_FALSE(v.IsValid(QStringLiteral("41/07/2026")));
}
