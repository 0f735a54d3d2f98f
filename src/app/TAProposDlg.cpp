// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TAProposDlg.h"

#include <algorithm>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAProposDlg::TAProposDlg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aProposDlg"));
    setWindowTitle(QStringLiteral("A propos de Tavo 2000"));
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("titreLabel"));
    image->setPixmap(QPixmap(QStringLiteral(":/tavo/603.png")));
    image->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Version " TAVO_VERSION), this);
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setAlignment(Qt::AlignCenter);
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(20, 16, 20, 12);
    disposition->addWidget(image);
    disposition->addWidget(version);
    disposition->addWidget(ok, 0, Qt::AlignCenter);
    // Wide enough for its title in the title bar, with the bar's buttons beside it.
    const int titre =
        QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(windowTitle());
    setFixedSize(std::max(sizeHint().width(), titre + 120), sizeHint().height());
}
