// SPDX-License-Identifier: GPL-3.0-or-later
// What the player is told about the high-score file and the records of the
// sessions, in the game's own words: the storage fills in the file or folder
// and the reason.
#pragma once

#include "ui/Translate.h"

namespace game::notices {

// %1 the folder, %2 the reason.
inline constexpr const char* NotSaved = PELMAR_TR(
    "pelmar", "O recorde não pôde ser guardado em %1: %2. A tabela antiga ficou como estava.");
// %1 the file, %2 the reason, %3 the name it was kept under.
inline constexpr const char* SetAside = PELMAR_TR(
    "pelmar", "A tabela de recordes %1 não pôde ser lida (%2). Ela foi guardada como %3 e "
              "o jogo começa com uma tabela vazia.");
// %1 the file, %2 the reason.
inline constexpr const char* LeftInPlace =
    PELMAR_TR("pelmar", "A tabela de recordes %1 não pôde ser lida (%2) e fica onde está; o jogo "
                        "não a substitui.");
// Told once a run: %1 the records' folder or file, %2 the reason.
inline constexpr const char* RecordNotKept =
    PELMAR_TR("pelmar", "O registro das partidas não pode ser guardado em %1: %2.");

// The reasons.
inline constexpr const char* DiskFull = PELMAR_TR("pelmar", "o disco está cheio");
inline constexpr const char* NoPermission = PELMAR_TR("pelmar", "falta permissão");
inline constexpr const char* ReadOnly = PELMAR_TR("pelmar", "o disco é só de leitura");
inline constexpr const char* NotAFile = PELMAR_TR("pelmar", "não é um arquivo comum");
inline constexpr const char* NotAFolder = PELMAR_TR("pelmar", "não é uma pasta");
inline constexpr const char* NotATable =
    PELMAR_TR("pelmar", "o conteúdo não é uma tabela de recordes inteira");
inline constexpr const char* NoFolder =
    PELMAR_TR("pelmar", "a pasta do jogo não aceita escrita e não há pasta do usuário");
inline constexpr const char* TableNotReplaceable =
    PELMAR_TR("pelmar", "a tabela que está lá não pôde ser lida");

} // namespace game::notices
