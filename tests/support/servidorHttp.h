#pragma once

#include <QByteArray>
#include <QHash>
#include <QTcpServer>

// A tiny HTTP server on 127.0.0.1 for browser tests: fixed pages by path.
class ServidorHttp : public QTcpServer
{
    Q_OBJECT

public:
    explicit ServidorHttp(QObject *parent = nullptr);
    bool iniciar();
    void pagina(const QByteArray &caminho, const QByteArray &html);
    QString endereco(const QString &caminho) const;

private:
    void atender();
    QHash<QByteArray, QByteArray> mPaginas;
};
