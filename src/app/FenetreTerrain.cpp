// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FenetreTerrain.h"

#include "app/TTavoWindow.h"
#include "dessin/CodeQR.h"
#include "document/Document.h"
#include "model/Cp1252.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"
#include "platform/PainterDC.h"
#include "presentation/Presentation.h"
#include "print/Printouts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

using tavo::terrain::CaseGrille;

namespace {

constexpr int CONNECTE_S = 10;
constexpr int COTE_CODE = 132;

QString Utf8(const std::string& texte)
{
    return QString::fromStdString(texte);
}

QPixmap ImageCode(const std::string& lien)
{
    QImage image(COTE_CODE, COTE_CODE, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter peintre(&image);
        tavo::TPainterDC dc(peintre, 96, 96);
        tavo::DessineCodeQR(dc, tavo::EncodeQR(lien), 0, 0, COTE_CODE);
    }
    return QPixmap::fromImage(image);
}

QTableWidgetItem* Cellule(const QString& texte)
{
    auto* cellule = new QTableWidgetItem(texte);
    cellule->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cellule;
}

} // namespace

TFenetreTerrain::TFenetreTerrain(TTavoWindow& fenetre)
    : QWidget(&fenetre, Qt::Window)
    , m_fenetre(fenetre)
    , m_terrain(std::make_unique<tavo::terrain::TTerrain>(fenetre.GetDocument(),
                                                          fenetre.GetOptions().GetRepProgrammes()))
{
    setWindowTitle(QStringLiteral("Juges sur le terrain"));
    setObjectName(QStringLiteral("terrain"));
    m_serveur = std::make_unique<tavo::terrain::TServeurTerrain>(
        *m_terrain, [this](std::function<void()> tache) {
            QMetaObject::invokeMethod(this, std::move(tache), Qt::QueuedConnection);
        });
    m_terrain->SurChangement = [this] { ActualiseLater(); };
    m_terrain->SurFeuilleTerminee = [this](const tavo::terrain::FeuilleTerminee& f) {
        m_fenetre.TermineFeuilleTerrain(f.vol, f.dossard);
        PublieResultats(true);
        ActualiseLater();
    };
    m_terrain->SurErreur = [this](const std::string& message) {
        tavo::MessageBox(this, Utf8(message), tavo::NomTavo(),
                         tavo::MB_OK | tavo::MB_ICONEXCLAMATION);
    };
    m_terrain->Charge();
    Construit();
    m_horloge = new QTimer(this);
    connect(m_horloge, &QTimer::timeout, this, [this] { ActualiseJuges(); });
    m_horloge->start(1000);
    m_resultats = new QTimer(this);
    connect(m_resultats, &QTimer::timeout, this, [this] { PublieResultats(); });
    m_resultats->start(500);
    Actualise();
    resize(900, 700);
}

TFenetreTerrain::~TFenetreTerrain()
{
    m_serveur.reset(); // its threads stop before the judges' state goes
}

void TFenetreTerrain::Construit()
{
    auto* page = new QVBoxLayout(this);

    auto* serveur = new QHBoxLayout;
    serveur->addWidget(new QLabel(QStringLiteral("&Port :")));
    m_port = new QSpinBox;
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setRange(1, 65535);
    m_port->setValue(m_fenetre.GetOptions().GetPortTerrain());
    qobject_cast<QLabel*>(serveur->itemAt(0)->widget())->setBuddy(m_port);
    serveur->addWidget(m_port);
    m_marche = new QPushButton(QStringLiteral("&Démarrer le serveur"));
    m_marche->setObjectName(QStringLiteral("marche"));
    connect(m_marche, &QPushButton::clicked, this,
            [this] { Actif() ? Arrete() : (void)Demarre(); });
    serveur->addWidget(m_marche);
    m_etat = new QLabel;
    serveur->addWidget(m_etat, 1);
    auto* codes = new QPushButton(QStringLiteral("&Imprimer les codes"));
    codes->setObjectName(QStringLiteral("imprimerCodes"));
    connect(codes, &QPushButton::clicked, this, [this] { ImprimeCodes(); });
    serveur->addWidget(codes);
    page->addLayout(serveur);
    m_adresses = new QLabel;
    m_adresses->setTextInteractionFlags(Qt::TextSelectableByMouse);
    page->addWidget(m_adresses);

    m_juges = new QTableWidget(0, 5);
    m_juges->setObjectName(QStringLiteral("juges"));
    m_juges->setHorizontalHeaderLabels({QStringLiteral("Juge"), QStringLiteral("Code"),
                                        QStringLiteral("Lien"), QString(), QStringLiteral("État")});
    m_juges->verticalHeader()->hide();
    m_juges->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    page->addWidget(m_juges, 2);

    auto* appel = new QHBoxLayout;
    appel->addWidget(new QLabel(QStringLiteral("&Vol :")));
    m_vol = new QComboBox;
    m_vol->setObjectName(QStringLiteral("vol"));
    qobject_cast<QLabel*>(appel->itemAt(0)->widget())->setBuddy(m_vol);
    appel->addWidget(m_vol);
    appel->addWidget(new QLabel(QStringLiteral("Pil&ote :")));
    m_pilote = new QComboBox;
    m_pilote->setObjectName(QStringLiteral("pilote"));
    qobject_cast<QLabel*>(appel->itemAt(2)->widget())->setBuddy(m_pilote);
    appel->addWidget(m_pilote, 1);
    auto* appeler = new QPushButton(QStringLiteral("&Appeler"));
    appeler->setObjectName(QStringLiteral("appeler"));
    connect(appeler, &QPushButton::clicked, this, [this] { Appelle(); });
    appel->addWidget(appeler);
    auto* suivant = new QPushButton(QStringLiteral("Pilote &suivant"));
    suivant->setObjectName(QStringLiteral("suivant"));
    connect(suivant, &QPushButton::clicked, this, [this] { Suivant(); });
    appel->addWidget(suivant);
    page->addLayout(appel);
    m_appel = new QLabel(QStringLiteral("Aucun pilote appelé."));
    m_appel->setObjectName(QStringLiteral("appel"));
    page->addWidget(m_appel);

    m_grille = new QTableWidget;
    m_grille->setObjectName(QStringLiteral("grille"));
    m_grille->verticalHeader()->hide();
    page->addWidget(m_grille, 3);
    connect(m_vol, &QComboBox::currentIndexChanged, this, [this] { ActualiseGrille(); });
}

short TFenetreTerrain::VolChoisi() const
{
    return static_cast<short>(m_vol->currentData().toInt());
}

int TFenetreTerrain::JugesConnectes() const
{
    const auto maintenant = std::chrono::steady_clock::now();
    int n = 0;
    for (short j = 1; j <= m_terrain->NbJuges(); ++j)
        if (const auto vu = m_terrain->DerniereVue(j);
            vu && maintenant - *vu < std::chrono::seconds(CONNECTE_S))
            ++n;
    return Actif() ? n : 0;
}

std::string TFenetreTerrain::Lien(short juge) const
{
    const std::vector<std::string> adresses = tavo::terrain::AdressesLocales();
    const std::string hote = adresses.empty() ? std::string("127.0.0.1") : adresses.front();
    const int port = Actif() ? m_serveur->Port() : m_port->value();
    return "http://" + hote + ":" + std::to_string(port) + "/juge#" + m_terrain->Cle(juge);
}

bool TFenetreTerrain::Demarre()
{
    std::string erreur;
    m_terrain->Charge(); // judges, programmes and keys as the competition has them now
    if (!m_serveur->Demarre(m_port->value(), &erreur)) {
        tavo::MessageBox(this, Utf8(erreur), tavo::NomTavo(),
                         tavo::MB_OK | tavo::MB_ICONEXCLAMATION);
        return false;
    }
    if (m_fenetre.GetOptions().GetPortTerrain() != m_port->value()) {
        m_fenetre.GetOptions().SetPortTerrain(m_port->value());
        m_fenetre.EnregistreOptions();
    }
    PublieResultats(true);
    Actualise();
    Q_EMIT EtatChange();
    return true;
}

void TFenetreTerrain::PublieResultats(bool force)
{
    if (Actif())
        m_serveur->ActualiseResultats(tavo::ParametresCalcul(m_fenetre.GetOptions()),
                                      m_fenetre.GetVue() == modes::FEUILLE, force);
}

void TFenetreTerrain::Arrete()
{
    m_serveur->Arrete();
    Actualise();
    Q_EMIT EtatChange();
}

void TFenetreTerrain::ActualiseLater()
{
    m_fenetre.NotesDuTerrain();
    if (m_actualisationPrevue)
        return;
    m_actualisationPrevue = true;
    QTimer::singleShot(0, this, [this] {
        m_actualisationPrevue = false;
        ActualiseJuges();
        ActualiseGrille();
    });
}

void TFenetreTerrain::Actualise()
{
    m_marche->setText(Actif() ? QStringLiteral("&Arrêter le serveur")
                              : QStringLiteral("&Démarrer le serveur"));
    m_port->setEnabled(!Actif());
    m_etat->setText(Actif()
                        ? QStringLiteral("Serveur en marche sur le port %1.").arg(m_serveur->Port())
                        : QStringLiteral("Serveur arrêté."));
    QStringList adresses;
    for (const std::string& a : tavo::terrain::AdressesLocales())
        adresses << QStringLiteral("http://%1:%2/")
                        .arg(Utf8(a))
                        .arg(Actif() ? m_serveur->Port() : m_port->value());
    m_adresses->setText(
        adresses.isEmpty()
            ? QStringLiteral("Aucun réseau : connectez l'ordinateur au Wi-Fi du "
                             "terrain ou partagez sa connexion.")
            : QStringLiteral("Adresses : ") + adresses.join(QStringLiteral("   ")) +
                  QStringLiteral("\nRésultats pour les pilotes et le public : %1   tableau : "
                                 "%1tableau   site en zip : %1resultats.zip")
                      .arg(adresses.front()));

    const int juges = m_terrain->NbJuges();
    m_juges->setRowCount(juges);
    for (short j = 1; j <= juges; ++j) {
        const int ligne = j - 1;
        m_juges->setItem(
            ligne, 0, Cellule(QStringLiteral("%1 : %2").arg(j).arg(Utf8(m_terrain->NomJuge(j)))));
        auto* code = new QLabel;
        code->setPixmap(ImageCode(Lien(j)));
        code->setAccessibleName(QStringLiteral("Code du juge %1").arg(j));
        m_juges->setCellWidget(ligne, 1, code);
        m_juges->setItem(ligne, 2, Cellule(Utf8(Lien(j))));
        auto* cle = new QPushButton(QStringLiteral("Nouvelle clé"));
        cle->setObjectName(QStringLiteral("nouvelleCle%1").arg(j));
        connect(cle, &QPushButton::clicked, this, [this, j] {
            if (tavo::MessageBox(this,
                                 QStringLiteral("Donner une nouvelle clé au juge %1 ?\n\nL'ancien "
                                                "code ne donnera plus accès à sa feuille : il "
                                                "faudra scanner le nouveau.")
                                     .arg(j),
                                 tavo::NomTavo(),
                                 tavo::MB_YESNO | tavo::MB_ICONQUESTION) != tavo::IDYES)
                return;
            m_terrain->NouvelleCle(j);
            m_serveur->ActualiseCles();
            Actualise();
        });
        m_juges->setCellWidget(ligne, 3, cle);
        m_juges->setRowHeight(ligne, COTE_CODE + 4);
    }
    m_juges->setColumnWidth(1, COTE_CODE + 4);
    ActualisePilotes();
    ActualiseJuges();
    ActualiseGrille();
}

void TFenetreTerrain::ActualisePilotes()
{
    const QVariant vol = m_vol->currentData();
    m_vol->blockSignals(true);
    m_vol->clear();
    for (const auto& [v, programme] : m_terrain->Vols())
        m_vol->addItem(QStringLiteral("%1 (%2)").arg(v).arg(Utf8(programme)), v);
    const int garde = m_vol->findData(vol);
    m_vol->setCurrentIndex(garde >= 0 ? garde : 0);
    m_vol->blockSignals(false);

    const QVariant pilote = m_pilote->currentData();
    m_pilote->clear();
    for (const TPilote& p : m_fenetre.GetConcours().GetPilotes())
        if (p.GetDossard()[0] != '\0')
            m_pilote->addItem(QStringLiteral("%1 - %2 %3")
                                  .arg(tavo::Texte(p.GetDossard()), tavo::Texte(p.GetNom()),
                                       tavo::Texte(p.GetPrenom())),
                              tavo::Texte(p.GetDossard()));
    const int garde2 = m_pilote->findData(pilote);
    m_pilote->setCurrentIndex(garde2 >= 0 ? garde2 : 0);
}

void TFenetreTerrain::ActualiseJuges()
{
    const auto maintenant = std::chrono::steady_clock::now();
    for (short j = 1; j <= m_terrain->NbJuges() && j <= m_juges->rowCount(); ++j) {
        QString etat = QStringLiteral("non connecté");
        if (const auto vu = m_terrain->DerniereVue(j)) {
            const auto secondes =
                std::chrono::duration_cast<std::chrono::seconds>(maintenant - *vu).count();
            etat = QStringLiteral("connecté, vu il y a %1 s").arg(secondes);
            if (const auto feuille = m_terrain->FeuilleCourante(j)) {
                const CaseGrille c = m_terrain->Case(feuille->vol, feuille->dossard, j);
                if (c.etat == CaseGrille::Etat::Envoyee)
                    etat += QStringLiteral("\nfeuille envoyée (vol %1, dossard %2)")
                                .arg(feuille->vol)
                                .arg(Utf8(feuille->dossard));
                else
                    etat +=
                        QStringLiteral("\nfeuille en cours : %1 sur %2 lignes (vol %3, dossard %4)")
                            .arg(c.notees)
                            .arg(c.lignes)
                            .arg(feuille->vol)
                            .arg(Utf8(feuille->dossard));
            }
        }
        m_juges->setItem(j - 1, 4, Cellule(etat));
    }
    if (const auto appel = m_terrain->AppelCourant())
        m_appel->setText(QStringLiteral("Pilote appelé : dossard %1, vol %2.")
                             .arg(Utf8(appel->dossard))
                             .arg(appel->vol));
    const int connectes = JugesConnectes();
    if (connectes != m_connectes) {
        m_connectes = connectes;
        Q_EMIT EtatChange();
    }
}

void TFenetreTerrain::ActualiseGrille()
{
    const short vol = VolChoisi();
    const int juges = m_terrain->NbJuges();
    QStringList titres{QStringLiteral("Pilote")};
    for (short j = 1; j <= juges; ++j)
        titres << QStringLiteral("Juge %1").arg(j);
    titres << QStringLiteral("Total");
    m_grille->setColumnCount(juges + 2);
    m_grille->setHorizontalHeaderLabels(titres);
    const auto& pilotes = m_fenetre.GetConcours().GetPilotes();
    m_grille->setRowCount(static_cast<int>(pilotes.size()));
    int ligne = 0;
    for (const TPilote& p : pilotes) {
        const std::string dossard = tavo::Cp1252VersUtf8(p.GetDossard());
        m_grille->setItem(
            ligne, 0,
            Cellule(QStringLiteral("%1 - %2").arg(Utf8(dossard), tavo::Texte(p.GetNom()))));
        bool toutes = vol > 0;
        for (short j = 1; j <= juges; ++j) {
            const CaseGrille c = vol > 0 ? m_terrain->Case(vol, dossard, j) : CaseGrille{};
            QString texte;
            if (c.etat == CaseGrille::Etat::Envoyee)
                texte = QStringLiteral("envoyée");
            else if (c.etat == CaseGrille::Etat::EnCours)
                texte = QStringLiteral("%1/%2").arg(c.notees).arg(c.lignes);
            toutes = toutes && c.etat == CaseGrille::Etat::Envoyee;
            m_grille->setItem(ligne, j, Cellule(texte));
        }
        m_grille->setItem(
            ligne, juges + 1,
            Cellule(toutes ? Utf8(tavo::Fixe(p.GetScoreVol(vol), 7, 2)).trimmed() : QString()));
        ++ligne;
    }
}

void TFenetreTerrain::Appelle()
{
    if (VolChoisi() <= 0 || m_pilote->currentIndex() < 0)
        return;
    m_terrain->Appelle(VolChoisi(), m_pilote->currentData().toString().toStdString());
    ActualiseJuges();
}

void TFenetreTerrain::Suivant()
{
    if (!m_terrain->AppelCourant() && VolChoisi() > 0)
        m_terrain->Appelle(VolChoisi(), m_pilote->currentData().toString().toStdString());
    else if (!m_terrain->PiloteSuivant())
        tavo::MessageBox(this, QStringLiteral("Le pilote appelé est le dernier de la liste."),
                         tavo::NomTavo(), tavo::MB_OK | tavo::MB_ICONINFORMATION);
    if (const auto appel = m_terrain->AppelCourant()) {
        const int i = m_pilote->findData(Utf8(appel->dossard));
        if (i >= 0)
            m_pilote->setCurrentIndex(i);
    }
    ActualiseJuges();
}

void TFenetreTerrain::ImprimeCodes()
{
    std::vector<tavo::CodeJuge> codes;
    for (short j = 1; j <= m_terrain->NbJuges(); ++j)
        codes.push_back({j, m_terrain->NomJuge(j), Lien(j)});
    m_fenetre.ImprimeCodes(std::move(codes));
}
