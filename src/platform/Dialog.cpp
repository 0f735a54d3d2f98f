// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Dialog.h"

#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"
#include "platform/Geometrie.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabBar>

namespace tavo {

TUnitesDialogue TUnitesDialogue::DePolice(const QFont& police)
{
    const QFontMetrics mesures(police);
    const int largeur = mesures.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    TUnitesDialogue u;
    u.X = std::max(1, (largeur / 26 + 1) / 2);
    u.Y = std::max(1, mesures.height());
    return u;
}

QRect TUnitesDialogue::EnPixels(int x, int y, int cx, int cy) const
{
    return QRect(MulDiv(x, X, 4), MulDiv(y, Y, 8), MulDiv(cx, X, 4), MulDiv(cy, Y, 8));
}

namespace {

QString utf8(const char* texte)
{
    return texte ? QString::fromUtf8(texte) : QString();
}

} // namespace

namespace {

/** A label's text as a field's name: without its "&" and its closing colon. */
QString NomAccessible(QString texte)
{
    texte.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return texte.remove(QRegularExpression(QStringLiteral("\\s*:\\s*$"))).trimmed();
}

/** The dialogs' font: a sans serif of the usual size, with the proportions dialogs were drawn for.
 */
QFont PoliceDialogue(QFont police)
{
    police.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    return police;
}

} // namespace

TDialog::TDialog(QWidget* parent, const TModeleDialogue& modele)
    : QDialog(parent)
    , m_unites(TUnitesDialogue::DePolice(PoliceDialogue(font())))
{
    setFont(PoliceDialogue(font()));
    setObjectName(QStringLiteral("dialogue%1").arg(modele.Id));
    setWindowTitle(utf8(modele.Titre));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    QButtonGroup* groupeRadio = nullptr;
    QLabel* libelle = nullptr;
    for (const TControleDlg& c : modele.Controles) {
        const QRect r = m_unites.EnPixels(c.X, c.Y, c.Cx, c.Cy);
        if (c.Genre != TGenre::BoutonRadio)
            groupeRadio = nullptr;
        QWidget* w = CreeControle(c, r, groupeRadio, libelle);
        if (c.Genre != TGenre::ListeDeroulante && c.Genre != TGenre::Onglets)
            w->setGeometry(r);
        w->setObjectName(QStringLiteral("c%1").arg(c.Id));
        w->setProperty("id", c.Id);
        // A field is named by the label before it: for screen readers, and its "&" key.
        if (libelle && (c.Genre == TGenre::Edit || c.Genre == TGenre::ListeDeroulante)) {
            libelle->setBuddy(w);
            w->setAccessibleName(NomAccessible(libelle->text()));
        }
        m_controles[c.Id] = w;
        m_ordre.push_back(c.Id);
        if (c.Genre == TGenre::Edit)
            Equipe(c.Id);
        libelle = qobject_cast<QLabel*>(w);
    }
    setFixedSize(m_unites.EnPixels(0, 0, modele.Cx, modele.Cy).size());
    m_suitFocus =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* maintenant) {
            if (m_idIndication != 0 && maintenant != Controle(m_idIndication))
                CacheIndication();
        });
}

QWidget* TDialog::CreeControle(const TControleDlg& c, const QRect& r, QButtonGroup*& groupeRadio,
                               QLabel* libelle)
{
    const QString texte = utf8(c.Texte);
    QWidget* w = nullptr;
    switch (c.Genre) {
    case TGenre::Libelle:
    case TGenre::LibelleDroite: {
        auto* l = new QLabel(texte, this);
        l->setAlignment((c.Genre == TGenre::Libelle ? Qt::AlignLeft : Qt::AlignRight) |
                        Qt::AlignVCenter);
        w = l;
        break;
    }
    case TGenre::Cadre: {
        auto* f = new QFrame(this);
        f->setFrameStyle(QFrame::Box | QFrame::Sunken);
        w = f;
        break;
    }
    case TGenre::GroupBox:
        w = new QGroupBox(texte, this);
        break;
    case TGenre::Edit: {
        // The capacity is kept by the edit's check, which says so when a key is refused.
        auto* e = new QLineEdit(this);
        if (c.Capacite > 1)
            m_limites[c.Id] = c.Capacite - 1;
        if (libelle)
            m_libelles[c.Id] = libelle;
        connect(e, &QLineEdit::textEdited, this, [this, id = c.Id] { m_saisis.insert(id); });
        w = e;
        break;
    }
    case TGenre::Bouton:
    case TGenre::BoutonDefaut:
        w = CreeBouton(c, texte);
        break;
    case TGenre::CaseACocher:
        w = new QCheckBox(texte, this);
        break;
    case TGenre::BoutonRadio: {
        auto* b = new QRadioButton(texte, this);
        if (!groupeRadio)
            groupeRadio = new QButtonGroup(this);
        groupeRadio->addButton(b);
        w = b;
        break;
    }
    case TGenre::ListeDeroulante:
        w = CreeListe(c, r);
        break;
    case TGenre::Onglets:
        w = CreeOnglets(c, r);
        break;
    }
    return w;
}

QWidget* TDialog::CreeBouton(const TControleDlg& c, const QString& texte)
{
    auto* b = new QPushButton(texte, this);
    b->setDefault(c.Genre == TGenre::BoutonDefaut);
    if (c.Id == IDOK)
        connect(b, &QPushButton::clicked, this, [this] { CmOk(); });
    else if (c.Id == IDCANCEL)
        connect(b, &QPushButton::clicked, this, [this] { CmCancel(); });
    return b;
}

QWidget* TDialog::CreeListe(const TControleDlg& c, const QRect& r)
{
    // The closed list as high as it needs; the rest of the rectangle is for the open list.
    auto* l = new QComboBox(this);
    l->setProperty("trie", c.Trie);
    const int ferme = std::min(r.height(), l->sizeHint().height());
    l->setMaxVisibleItems(std::max(1, (r.height() - ferme) / std::max(1, fontMetrics().height())));
    l->setGeometry(r.x(), r.y(), r.width(), ferme);
    return l;
}

QWidget* TDialog::CreeOnglets(const TControleDlg& c, const QRect& r)
{
    // The bar across the top, and the page's frame under it.
    auto* page = new QFrame(this);
    page->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* b = new QTabBar(this);
    b->setDrawBase(false);
    b->setExpanding(false);
    const int hauteur = std::max(b->sizeHint().height(), fontMetrics().height() + 10);
    page->setGeometry(r.adjusted(0, hauteur - 1, 0, 0));
    b->setGeometry(r.x(), r.y(), r.width(), hauteur);
    page->setObjectName(QStringLiteral("page%1").arg(c.Id));
    return b;
}

TDialog::~TDialog()
{
    // The fields outlive this part of the dialog: hiding it still moves their focus and
    // asks their checks, whose validators are about to go.
    disconnect(m_suitFocus);
    for (const auto& [id, w] : m_controles)
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setValidator(nullptr);
}

int TDialog::Execute()
{
    return exec();
}

QWidget* TDialog::Controle(int id) const
{
    const auto it = m_controles.find(id);
    return it == m_controles.end() ? nullptr : it->second;
}

QLineEdit* TDialog::Edit(int id) const
{
    return qobject_cast<QLineEdit*>(Controle(id));
}

QComboBox* TDialog::Liste(int id) const
{
    return qobject_cast<QComboBox*>(Controle(id));
}

QAbstractButton* TDialog::Bouton(int id) const
{
    return qobject_cast<QAbstractButton*>(Controle(id));
}

QGroupBox* TDialog::GroupBox(int id) const
{
    return qobject_cast<QGroupBox*>(Controle(id));
}

QTabBar* TDialog::Onglets(int id) const
{
    return qobject_cast<QTabBar*>(Controle(id));
}

QLabel* TDialog::LibelleDe(int id) const
{
    const auto it = m_libelles.find(id);
    return it == m_libelles.end() ? nullptr : it->second;
}

void TDialog::SetValidator(int id, std::unique_ptr<TValidator> validateur)
{
    if (!Edit(id) || !validateur)
        return;
    m_validateurs[id] = std::move(validateur);
    Equipe(id);
}

void TDialog::SetChemin(int id)
{
    m_chemins.insert(id);
    Equipe(id);
}

void TDialog::Equipe(int id)
{
    QLineEdit* e = Edit(id);
    if (!e)
        return;
    const auto limite = m_limites.find(id);
    auto* verif =
        new TValidateurQt(e, GetValidator(id), limite == m_limites.end() ? 0 : limite->second,
                          m_chemins.count(id) ? TStockage::Chemin : TStockage::Cp1252);
    verif->SurIndication([this, id](const QString& texte) {
        if (!texte.isEmpty())
            Indique(id, texte);
        else
            CacheIndication();
    });
    delete e->validator();
    e->setValidator(verif);
}

void TDialog::Indique(int id, const QString& texte)
{
    QLineEdit* e = Edit(id);
    if (!m_indication) {
        // Looks like a tool tip, inside the dialog so that it stays by its field.
        m_indication = new QLabel(this);
        m_indication->setObjectName(QStringLiteral("indication"));
        m_indication->setTextFormat(Qt::PlainText);
        m_indication->setWordWrap(true);
        m_indication->setFrameShape(QFrame::Box);
        m_indication->setMargin(2);
        m_indication->setAutoFillBackground(true);
        QPalette couleurs = m_indication->palette();
        couleurs.setColor(QPalette::Window, couleurs.color(QPalette::ToolTipBase));
        couleurs.setColor(QPalette::WindowText, couleurs.color(QPalette::ToolTipText));
        m_indication->setPalette(couleurs);
    }
    if (m_idIndication != id)
        CacheIndication();
    m_idIndication = id;
    m_indication->setText(texte);
    const int marge = 4;
    const int cadre = 2 * (m_indication->margin() + m_indication->frameWidth()) + 2;
    const int largeur =
        std::min(width() - 2 * marge, m_indication->fontMetrics().horizontalAdvance(texte) + cadre);
    const int hauteur = m_indication->heightForWidth(largeur);
    const QRect champ = e->geometry();
    const int x = std::clamp(champ.x(), marge, std::max(marge, width() - largeur - marge));
    int y = champ.bottom() + 2;
    if (y + hauteur > height() - marge)
        y = std::max(0, champ.y() - hauteur - 2);
    m_indication->setGeometry(x, y, largeur, hauteur);
    m_indication->raise();
    m_indication->show();
    e->setAccessibleDescription(texte);
}

void TDialog::CacheIndication()
{
    if (m_idIndication == 0)
        return;
    if (QLineEdit* e = Edit(m_idIndication))
        e->setAccessibleDescription(QString());
    m_idIndication = 0;
    m_indication->hide();
}

QString TDialog::Indication() const
{
    return m_idIndication != 0 ? m_indication->text() : QString();
}

const TValidator* TDialog::GetValidator(int id) const
{
    const auto it = m_validateurs.find(id);
    return it == m_validateurs.end() ? nullptr : it->second.get();
}

void TDialog::SurBouton(int id, std::function<void()> action)
{
    if (QAbstractButton* b = Bouton(id))
        connect(b, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
}

QString TDialog::GetTexte(int id) const
{
    if (const QLineEdit* e = Edit(id))
        return SurUneLigne(e->text());
    if (const QComboBox* l = Liste(id))
        return l->currentText();
    if (const QAbstractButton* b = Bouton(id))
        return b->text();
    if (const QGroupBox* g = GroupBox(id))
        return g->title();
    if (const auto* l = qobject_cast<QLabel*>(Controle(id)))
        return l->text();
    return {};
}

void TDialog::SetTexte(int id, const QString& texte)
{
    if (QLineEdit* e = Edit(id)) {
        if (m_idIndication == id)
            CacheIndication();
        e->setText(texte);
        e->setCursorPosition(0); // a long text shows its beginning
        m_saisis.erase(id);
    } else if (QAbstractButton* b = Bouton(id))
        b->setText(texte);
    else if (QGroupBox* g = GroupBox(id))
        g->setTitle(texte);
    else if (auto* l = qobject_cast<QLabel*>(Controle(id)))
        l->setText(texte);
}

int TDialog::AjouteChaine(int id, const QString& texte)
{
    QComboBox* l = Liste(id);
    if (!l)
        return -1;
    const int selection = l->currentIndex();
    int position = l->count();
    if (l->property("trie").toBool()) {
        position = 0;
        while (position < l->count()) {
            const QString autre = l->itemText(position);
            int ordre = QString::compare(texte, autre, Qt::CaseInsensitive);
            if (ordre == 0)
                ordre = QString::compare(texte, autre, Qt::CaseSensitive);
            if (ordre < 0)
                break;
            ++position;
        }
    }
    l->insertItem(position, texte);
    // A list selects nothing until told to.
    l->setCurrentIndex(selection < 0 ? -1 : (position <= selection ? selection + 1 : selection));
    return position;
}

int TDialog::SelectionneDebut(int id, const QString& debut)
{
    QComboBox* l = Liste(id);
    if (!l)
        return -1;
    for (int i = 0; i < l->count(); ++i)
        if (l->itemText(i).startsWith(debut, Qt::CaseInsensitive)) {
            l->setCurrentIndex(i);
            return i;
        }
    return -1;
}

int TDialog::SelectionneEgal(int id, const QString& texte)
{
    QComboBox* l = Liste(id);
    if (!l)
        return -1;
    for (int i = 0; i < l->count(); ++i)
        if (l->itemText(i).compare(texte, Qt::CaseInsensitive) == 0) {
            l->setCurrentIndex(i);
            return i;
        }
    return -1;
}

int TDialog::GetSelection(int id) const
{
    const QComboBox* l = Liste(id);
    return l ? l->currentIndex() : -1;
}

void TDialog::SetSelection(int id, int position)
{
    if (QComboBox* l = Liste(id))
        l->setCurrentIndex(position);
}

bool TDialog::EstCoche(int id) const
{
    const QAbstractButton* b = Bouton(id);
    return b && b->isChecked();
}

void TDialog::SetCoche(int id, bool coche)
{
    QAbstractButton* b = Bouton(id);
    if (!b)
        return;
    // Radio buttons of a group may all be cleared.
    QButtonGroup* groupe = b->group();
    if (groupe && !coche)
        groupe->setExclusive(false);
    b->setChecked(coche);
    if (groupe && !coche)
        groupe->setExclusive(true);
}

bool TDialog::CanClose()
{
    for (int id : m_ordre) {
        QLineEdit* e = Edit(id);
        const TValidator* v = GetValidator(id);
        // What the program put in a field is kept as it is; what the user typed must be complete.
        if (!e || !v || !m_saisis.count(id) || v->IsValid(e->text()))
            continue;
        QString nom;
        if (const QLabel* l = LibelleDe(id)) {
            nom = l->text().trimmed();
            if (nom.endsWith(u':'))
                nom = nom.chopped(1).trimmed();
        }
        const QString texte =
            (nom.isEmpty()
                 ? QStringLiteral("Un champ est incomplet ou incorrect.")
                 : QStringLiteral("Le champ « %1 » est incomplet ou incorrect.").arg(nom)) +
            u'\n' + v->Erreur();
        MontreControle(id);
        MessageBox(this, texte, NomTavo(), MB_OK | MB_ICONEXCLAMATION);
        e->setFocus();
        e->selectAll();
        return false;
    }
    return true;
}

void TDialog::CloseWindow(int retour)
{
    done(retour);
}

void TDialog::CentreEcran()
{
    const QScreen* ecran = screen();
    if (!ecran)
        return;
    const QRect r = ecran->geometry();
    const QSize taille = frameGeometry().size().expandedTo(size());
    move(r.x() + (r.width() - taille.width()) / 2, r.y() + (r.height() - taille.height()) / 2);
}

void TDialog::CmOk()
{
    if (CanClose())
        CloseWindow(IDOK);
}

void TDialog::CmCancel()
{
    CloseWindow(IDCANCEL);
}

void TDialog::setVisible(bool visible)
{
    if (visible && !m_prepare) {
        m_prepare = true;
        SetupWindow();
    }
    QDialog::setVisible(visible);
}

void TDialog::reject()
{
    CmCancel();
}

} // namespace tavo
