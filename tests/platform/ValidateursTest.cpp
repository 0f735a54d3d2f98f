// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Validateurs.h"

#include "support/Frappe.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

using namespace tavo;

namespace {

const QString LETTRES = QStringLiteral("A-Za-z éèà'ç.âôêûî-");

/** What an edit holds after the characters are typed one by one. */
QString Tape(const TValidator& v, const QString& frappes, const QString& depart = {})
{
    QLineEdit edit;
    edit.setValidator(new TValidateurQt(v, &edit));
    edit.setText(depart);
    edit.end(false);
    Frappe(&edit, frappes);
    return edit.text();
}

} // namespace

TEST(FilterValidatorTest, rangesAccentsAndEdgeHyphenBelongToTheSet)
{
    const TFilterValidator v(LETTRES);
    for (QChar c : QStringLiteral("azAZ éèàçâôêûî'.-"))
        EXPECT_TRUE(v.Accepte(c)) << QString(c).toStdString();
    for (QChar c : QStringLiteral("0,(ù@ë"))
        EXPECT_FALSE(v.Accepte(c)) << QString(c).toStdString();
    EXPECT_TRUE(TFilterValidator(QStringLiteral("0-9")).IsValid(QStringLiteral("0123456789")));
    EXPECT_FALSE(TFilterValidator(QStringLiteral("0-9")).IsValid(QStringLiteral("12a")));
}

TEST(FilterValidatorTest, refusesTypedCharactersOutsideTheSet)
{
    const TFilterValidator v(LETTRES);
    EXPECT_EQ(Tape(v, QStringLiteral("Hélène-Marie, 2")), QStringLiteral("Hélène-Marie "));
    // Pasting is a keystroke too: one foreign character refuses the whole paste.
    QString apres = QStringLiteral("Jean, Paul");
    EXPECT_FALSE(v.AccepteSaisie(QString(), apres));
}

TEST(FilterValidatorTest, textAlreadyThereStaysEditable)
{
    // A text read from a file may hold characters the filter would refuse.
    const TFilterValidator v(LETTRES);
    EXPECT_EQ(Tape(v, QStringLiteral(" sud,"), QStringLiteral("Prés, Cluny")),
              QStringLiteral("Prés, Cluny sud"));
    QString apres = QStringLiteral("Prs, Cluny");
    EXPECT_TRUE(v.AccepteSaisie(QStringLiteral("Prés, Cluny"), apres)); // a deletion
}

TEST(PictureValidatorTest, frequencyIsTwoDigitsAPointAndThreeDigits)
{
    const TPXPictureValidator v(QStringLiteral("##.###"));
    EXPECT_EQ(Tape(v, QStringLiteral("72.100")), QStringLiteral("72.100"));
    EXPECT_EQ(Tape(v, QStringLiteral("7a2,.1x00999")), QStringLiteral("72.100"));
    // No automatic filling: the point is typed, or a space stands for it.
    EXPECT_EQ(Tape(v, QStringLiteral("721")), QStringLiteral("72"));
    EXPECT_EQ(Tape(v, QStringLiteral("72 1")), QStringLiteral("72.1"));

    EXPECT_TRUE(v.IsValid(QStringLiteral("35.040")));
    EXPECT_TRUE(v.IsValid(QString()));
    EXPECT_FALSE(v.IsValid(QStringLiteral("35.04")));
    EXPECT_FALSE(v.IsValid(QStringLiteral("35,040")));
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
