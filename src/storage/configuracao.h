#pragma once

#include <QString>

// The value of `nome` in a file of name=value lines (name compared without
// regard to case); empty when the file or the name is absent. On a read
// failure returns empty and fills `erro`.
QString valorNoArquivo(const QString &caminho, const QString &nome, QString *erro = nullptr);

// config.txt in the application's folder: name=value lines.

// The value of `config` (name compared without regard to case); empty when
// the file or the name is absent. On a read failure returns empty and fills
// `erro`.
QString lerConfiguracao(const QString &config, QString *erro = nullptr);

// Rewrites config.txt so that it holds only `config`=`valor` (an empty file
// when `valor` is empty), through a temporary file and a rename.
bool gravarConfiguracao(const QString &config, const QString &valor, QString &erro);

// "showtips" and the like: true for a number other than 0 or the word True in
// any letter case; anything else, empty included, is false.
bool valorVerdadeiro(const QString &valor);
