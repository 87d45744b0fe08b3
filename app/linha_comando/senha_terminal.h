// The certificate's password or the token's PIN, never taken from the command line.
#pragma once

#include <string>

// NIVRA_SENHA when it is set (even empty); otherwise, when standard input is a terminal, asks
// `pergunta` there without echo; otherwise the empty text.
[[nodiscard]] std::string LerSenha(const std::string& pergunta);
