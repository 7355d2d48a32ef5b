#pragma once
#include <QString>
#include <optional>

class QComboBox;

// What the set-up, linking and billing-parameters dialogs offer alike.

// The path choosers. Each opens in the folder of the path already given (`attuale`), else
// in the start folder; a cancelled chooser gives nothing.

// The folder a chooser opens in for the path `attuale`, as a local path.
QString CartellaIniziale(const QString& attuale);
// The case-file archive to work on.
std::optional<QString> ScegliArchivioFascole(const QString& attuale);
// The folder where invoices are kept, chosen by naming any file inside it: the folder part.
std::optional<QString> ScegliCartellaFatture(const QString& attuale);

// The list of a company's years lives only while the user is in its combo: on leaving it
// the list goes and the text typed or chosen stays.
void LasciaEsercizi(QComboBox& esercizi);
