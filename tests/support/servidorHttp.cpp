#include "support/servidorHttp.h"

#include <QTcpSocket>

ServidorHttp::ServidorHttp(QObject *parent)
    : QTcpServer(parent)
{
    connect(this, &QTcpServer::newConnection, this, &ServidorHttp::atender);
}

bool ServidorHttp::iniciar()
{
    return listen(QHostAddress::LocalHost, 0);
}

void ServidorHttp::pagina(const QByteArray &caminho, const QByteArray &html)
{
    mPaginas.insert(caminho, html);
}

QString ServidorHttp::endereco(const QString &caminho) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(caminho);
}

void ServidorHttp::atender()
{
    while (QTcpSocket *s = nextPendingConnection()) {
        connect(s, &QTcpSocket::readyRead, s, [this, s] {
            const QByteArray pedido = s->readAll();
            const QList<QByteArray> partes = pedido.left(pedido.indexOf('\r')).split(' ');
            QByteArray caminho = partes.size() > 1 ? partes[1] : QByteArray("/");
            caminho = caminho.left(caminho.indexOf('?') < 0 ? caminho.size() : caminho.indexOf('?'));
            const bool achou = mPaginas.contains(caminho);
            const QByteArray corpo = achou ? mPaginas.value(caminho) : QByteArray("nao encontrado");
            s->write((achou ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n")
                     + QByteArray("Content-Type: text/html; charset=utf-8\r\nContent-Length: ")
                     + QByteArray::number(corpo.size()) + "\r\nConnection: close\r\n\r\n" + corpo);
            s->disconnectFromHost();
        });
        connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    }
}
