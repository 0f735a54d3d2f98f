// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Aide.h"

#include "platform/Lecture.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace tavo {

namespace {

constexpr std::uint64_t TAILLE_MAX_AIDE = std::uint64_t{16} << 20;

QString lit(const QString& fichier)
{
    QByteArray octets;
    if (fichier.isEmpty() || !LitFichierBorne(fichier, octets, TAILLE_MAX_AIDE))
        return {};
    return QString::fromUtf8(octets);
}

// The help text in a window of its own, closed by Escape.
class TFenetreAide : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape)
            close();
        else
            QTextBrowser::keyPressEvent(event);
    }
};

} // namespace

QWidget* WinHelp(QWidget* parent, const QString& fichier, const QString& secours)
{
    static QPointer<QTextBrowser> fenetre;
    if (!fenetre) {
        fenetre = new TFenetreAide(parent);
        fenetre->setWindowFlags(Qt::Window);
        fenetre->setAttribute(Qt::WA_DeleteOnClose);
        fenetre->setObjectName(QStringLiteral("aide"));
        fenetre->setOpenExternalLinks(true);
        fenetre->resize(720, 640);
        fenetre->document()->setDocumentMargin(12);
    }
    QString source = fichier;
    QString html = lit(fichier);
    if (html.isEmpty()) {
        source = secours;
        html = lit(secours);
    }
    if (html.isEmpty()) {
        fenetre->setPlainText(QStringLiteral("Le fichier d'aide « %1 » est introuvable.")
                                  .arg(QFileInfo(fichier).absoluteFilePath()));
    } else {
        fenetre->document()->setBaseUrl(QUrl::fromLocalFile(source));
        fenetre->setHtml(html);
    }
    fenetre->setWindowTitle(fenetre->documentTitle().isEmpty() ? QStringLiteral("Aide")
                                                               : fenetre->documentTitle());
    fenetre->show();
    fenetre->raise();
    return fenetre;
}

} // namespace tavo
