#pragma once
#include <QString>

// A folder or file named in one of the program's own messages goes between double quotes, so
// that a name with blanks, or one that reads like a word of the sentence ("fatture"), stands
// apart from the words around it.
inline QString NomeNelMessaggio(const QString& nome) { return "\"" + nome + "\""; }
