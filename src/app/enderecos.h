#pragma once

#include <QString>

// The product web server's address: VASPIRA_SERVER_URL at run time, else the
// build's configuration; empty when neither is set (no network call then).
QString enderecoServidor();

// The tutorials playlist, opened by "Tutoriais" and by the workspace's
// "Tutorial".
QString enderecoTutoriais();

// The product's web site, shown on the splash.
QString enderecoSite();

// A page of the product server (falling back to the web site when no server
// is configured), for example "/vaspira/tutorial1.htm".
QString enderecoNoServidor(const QString &caminho);
