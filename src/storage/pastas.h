#pragma once

#include <QString>

// The folder that holds every file of the application (database, settings,
// tips, notes, backups, exports), with a trailing "/". Decided once, on first
// use, so reads and writes never land in different folders:
//   1. VASPIRA_HOME when set (tests point it at a temporary folder);
//   2. the executable's folder when it can be written;
//   3. the user's application data folder otherwise.
QString ExeFolder();

// ExeFolder() + nome.
QString caminhoNaPasta(const QString &nome);
