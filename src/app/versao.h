#pragma once

// This build's number; the server's minimum and newest builds compare with it.
inline constexpr int kBuildAtual = 150;
