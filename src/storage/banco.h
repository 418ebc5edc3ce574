#pragma once

#include <QSqlDatabase>
#include <QString>

// The application's one database connection, to banco.db in the
// application's folder. Errors come back as text; the windows show them.

// The connection, opened on first use (tables created) so that a query made
// before the start-up opening still reaches banco.db and nothing else.
// Returns an invalid/closed database and fills `erro` when it cannot open.
QSqlDatabase conexaoBanco(QString *erro = nullptr);

struct ResultadoAbertura {
    QString erro;          // the failure that stopped the opening
    QString avisoVacuum;   // "VACUUM;" failed, but the tables are in place

    // Every failure comes with its text, so an empty one means success.
    bool ok() const { return erro.isEmpty(); }
};

// The start-up opening: compacts the file with "VACUUM;" and creates the
// tables. A connection already open on banco.db is kept.
ResultadoAbertura abrirBanco();

// Closes the connection (tests and shutdown).
void fecharBanco();
