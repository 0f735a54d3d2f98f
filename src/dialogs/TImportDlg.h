// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialog.h"

class QPlainTextEdit;
class QTableWidget;

namespace tavo {
struct ImportPilotes;
}

/**
 * "Importer des pilotes": what a registration spreadsheet gives before anything
 * is added: the file's encoding and separator, the columns used and ignored,
 * the pilots to add and the report (rows skipped, texts changed). "Importer"
 * (greyed when there is nothing to add) returns `IDOK`; the dialog itself
 * changes nothing.
 */
class TImportDlg : public tavo::TDialog
{
    Q_OBJECT

public:
    static constexpr int IDD = 4100;

    TImportDlg(QWidget* parent, const tavo::ImportPilotes& import, const QString& fichier);

    QTableWidget* Table() const { return m_table; }
    QPlainTextEdit* Rapport() const { return m_rapport; }

private:
    QTableWidget* m_table = nullptr;
    QPlainTextEdit* m_rapport = nullptr;
};
