// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DialoguesStandard.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QVariant>

namespace tavo {

QStringList TDonneesFichier::FiltresQt() const
{
    // "Fichiers Tavo (*.CCR)|*.ccr|" → "Fichiers Tavo (*.ccr *.CCR)": file names are
    // case-sensitive here, so both spellings of each pattern are offered.
    QStringList filtres;
    const QStringList morceaux = Filtre.split(u'|');
    for (qsizetype i = 0; i + 1 < morceaux.size(); i += 2) {
        QString description = morceaux[i].trimmed();
        const qsizetype parenthese = description.lastIndexOf(u'(');
        if (parenthese > 0 && description.endsWith(u')'))
            description = description.left(parenthese).trimmed();
        QStringList motifs;
        for (const QString& motif : morceaux[i + 1].split(u';', Qt::SkipEmptyParts)) {
            motifs << motif.trimmed();
            if (motif.trimmed().toUpper() != motif.trimmed())
                motifs << motif.trimmed().toUpper();
        }
        if (!motifs.isEmpty())
            filtres << description + QStringLiteral(" (") + motifs.join(u' ') + u')';
    }
    return filtres;
}

namespace {

QMessageBox::Icon icone(unsigned type)
{
    switch (type & MB_ICONES) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct Bouton
{
    int reponse;
    const char16_t* texte;
    QMessageBox::ButtonRole role;
};

QList<Bouton> boutons(unsigned type)
{
    switch (type & MB_BOUTONS) {
    case MB_OKCANCEL:
        return {{IDOK, u"OK", QMessageBox::AcceptRole},
                {IDCANCEL, u"Annuler", QMessageBox::RejectRole}};
    case MB_YESNOCANCEL:
        return {{IDYES, u"&Oui", QMessageBox::YesRole},
                {IDNO, u"&Non", QMessageBox::NoRole},
                {IDCANCEL, u"Annuler", QMessageBox::RejectRole}};
    case MB_YESNO:
        return {{IDYES, u"&Oui", QMessageBox::YesRole}, {IDNO, u"&Non", QMessageBox::NoRole}};
    default:
        return {{IDOK, u"OK", QMessageBox::AcceptRole}};
    }
}

void prepare(QFileDialog& dialogue, const TDonneesFichier& donnees)
{
    const QFileInfo nom(donnees.NomFichier);
    QString repertoire = donnees.RepertoireInitial;
    if (repertoire.isEmpty() && !donnees.NomFichier.isEmpty() && nom.isAbsolute())
        repertoire = nom.absolutePath();
    if (!repertoire.isEmpty())
        dialogue.setDirectory(repertoire);
    dialogue.setNameFilters(donnees.FiltresQt());
    dialogue.setDefaultSuffix(donnees.ExtensionDefaut.toLower());
    if (!donnees.NomFichier.isEmpty())
        dialogue.selectFile(nom.fileName());
}

bool execute(QFileDialog& dialogue, TDonneesFichier& donnees)
{
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return false;
    donnees.NomFichier = dialogue.selectedFiles().constFirst();
    donnees.RepertoireInitial = QFileInfo(donnees.NomFichier).absolutePath();
    return true;
}

class TRepondeurQt : public TRepondeur
{
public:
    int MessageBox(QWidget* parent, const QString& texte, const QString& titre,
                   unsigned type) override
    {
        QMessageBox boite(icone(type), titre, texte, QMessageBox::NoButton, parent);
        QList<QPair<QAbstractButton*, int>> liste;
        for (const Bouton& b : boutons(type))
            liste.append({boite.addButton(QString::fromUtf16(b.texte), b.role), b.reponse});
        boite.setDefaultButton(qobject_cast<QPushButton*>(liste.constFirst().first));
        boite.exec();
        for (const auto& [bouton, reponse] : liste)
            if (boite.clickedButton() == bouton)
                return reponse;
        return (type & MB_BOUTONS) == MB_OK ? IDOK : IDCANCEL;
    }

    bool Ouvre(QWidget* parent, TDonneesFichier& donnees) override
    {
        QFileDialog dialogue(parent, QStringLiteral("Ouvrir"));
        dialogue.setAcceptMode(QFileDialog::AcceptOpen);
        dialogue.setFileMode((donnees.Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                 : QFileDialog::AnyFile);
        prepare(dialogue, donnees);
        return execute(dialogue, donnees);
    }

    bool Enregistre(QWidget* parent, TDonneesFichier& donnees) override
    {
        QFileDialog dialogue(parent, QStringLiteral("Enregistrer sous"));
        dialogue.setAcceptMode(QFileDialog::AcceptSave);
        dialogue.setFileMode(QFileDialog::AnyFile);
        prepare(dialogue, donnees);
        return execute(dialogue, donnees);
    }

    bool ChoisitRepertoire(QWidget* parent, const QString& titre, TDonneesFichier& donnees) override
    {
        const QString choix =
            QFileDialog::getExistingDirectory(parent, titre, donnees.RepertoireInitial);
        if (choix.isEmpty())
            return false;
        donnees.NomFichier = choix;
        return true;
    }
};

constexpr const char* PROPRIETE_REPONDEUR = "tavoRepondeur";

/** The answerer of the nearest window of `widget`'s parent chain that has one, else Qt's. */
TRepondeur& repondeurDe(QWidget* widget)
{
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (const QVariant v = w->property(PROPRIETE_REPONDEUR); v.isValid())
            if (auto* repondeur = static_cast<TRepondeur*>(v.value<void*>()))
                return *repondeur;
    static TRepondeurQt qt; // no state: Qt's own dialogs
    return qt;
}

} // namespace

void AttacheRepondeur(QWidget* fenetre, TRepondeur* repondeur)
{
    fenetre->setProperty(PROPRIETE_REPONDEUR,
                         repondeur ? QVariant::fromValue(static_cast<void*>(repondeur))
                                   : QVariant());
}

int MessageBox(QWidget* parent, const QString& texte, const QString& titre, unsigned type)
{
    return repondeurDe(parent).MessageBox(parent, texte, titre, type);
}

bool DialogueOuvrir(QWidget* parent, TDonneesFichier& donnees)
{
    return repondeurDe(parent).Ouvre(parent, donnees);
}

bool DialogueEnregistrer(QWidget* parent, TDonneesFichier& donnees)
{
    return repondeurDe(parent).Enregistre(parent, donnees);
}

bool DialogueRepertoire(QWidget* parent, const QString& titre, TDonneesFichier& donnees)
{
    return repondeurDe(parent).ChoisitRepertoire(parent, titre, donnees);
}

} // namespace tavo
