#include "storage/banco.h"

#include "storage/pastas.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString kConexao = QStringLiteral("vaspira");

const char *const kTabelas[] = {
    "CREATE TABLE IF NOT EXISTS tbconfig(id_config INTEGER PRIMARY KEY,  categoria VARCHAR,  "
    "nome VARCHAR,  valor VARCHAR,  tipo VARCHAR,  descricao VARCHAR)",
    "CREATE TABLE IF NOT EXISTS tbmemo(nome_dados VARCHAR,  criacao DATETIME,  edicao DATETIME,  "
    "categoria VARCHAR,  descricao VARCHAR,  texto BLOB )",
    "CREATE TABLE IF NOT EXISTS tbrepo(categoria VARCHAR,  nome VARCHAR,  texto VARCHAR )",
};

QString caminhoBanco()
{
    return caminhoNaPasta(QStringLiteral("banco.db"));
}

QSqlDatabase banco()
{
    if (QSqlDatabase::contains(kConexao))
        return QSqlDatabase::database(kConexao, false);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConexao);
    db.setDatabaseName(caminhoBanco());
    return db;
}

QString textoDoErro(const QSqlError &e)
{
    QString t = e.text().trimmed();
    return t.isEmpty() ? QStringLiteral("Erro desconhecido no banco de dados.") : t;
}

bool executar(QSqlDatabase &db, const QString &sql, QString &erro)
{
    QSqlQuery q(db);
    if (!q.exec(sql)) {
        erro = textoDoErro(q.lastError());
        return false;
    }
    return true;
}

bool abrirConexao(QSqlDatabase &db, QString &erro)
{
    if (db.isOpen())
        return true;
    // banco() named the file when it made the connection; nothing renames it.
    if (!db.open()) {
        erro = textoDoErro(db.lastError());
        return false;
    }
    // New databases keep their text as UTF-16, as the scripts always were.
    QSqlQuery(db).exec(QStringLiteral("PRAGMA encoding = \"UTF-16\""));
    return true;
}

bool criarTabelas(QSqlDatabase &db, QString &erro)
{
    for (const char *sql : kTabelas) {
        if (!executar(db, QString::fromLatin1(sql), erro))
            return false;
    }
    return true;
}

} // namespace

QSqlDatabase conexaoBanco(QString *erro)
{
    QSqlDatabase db = banco();
    if (db.isOpen())
        return db;
    QString falha;
    if (!abrirConexao(db, falha) || !criarTabelas(db, falha)) {
        if (erro)
            *erro = falha;
        db.close();
    }
    return db;
}

ResultadoAbertura abrirBanco()
{
    ResultadoAbertura r;
    // The connection only ever points at banco.db: one a workspace already
    // opened is kept, not closed under its query.
    QSqlDatabase db = banco();
    if (!abrirConexao(db, r.erro))
        return r;
    // "VACUUM;" fails on a nearly full disk or while another copy reads the
    // file; the session still needs its tables, so go on.
    QString falhaVacuum;
    if (!executar(db, QStringLiteral("VACUUM;"), falhaVacuum))
        r.avisoVacuum = falhaVacuum;
    if (!criarTabelas(db, r.erro))
        r.avisoVacuum.clear();
    return r;
}

void fecharBanco()
{
    if (QSqlDatabase::contains(kConexao)) {
        {
            QSqlDatabase db = QSqlDatabase::database(kConexao, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(kConexao);
    }
}
