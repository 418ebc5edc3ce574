#pragma once

#include <QString>

// The product web server's address: VASPIRA_SERVER_URL at run time, else the
// build's configuration; empty when neither is set (no network call then).
QString enderecoServidor();

// The tutorials playlist, opened by "Tutoriais" and by the workspace's
// "Tutorial".
QString enderecoTutoriais();
