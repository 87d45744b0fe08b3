// Passwords and PINs, never taken from the command line.
#pragma once

#include <optional>
#include <string>

namespace nivra {

// The environment variable `variavel` when it is set (even empty); otherwise, when standard
// input is a terminal, the answer to `pergunta` asked there without echo; otherwise nullopt.
[[nodiscard]] std::optional<std::string> LerSenhaDe(const char* variavel,
                                                    const std::string& pergunta);

// The certificate's password or the token's PIN: LerSenhaDe("NIVRA_SENHA", pergunta), or the
// empty text when there is neither the variable nor a terminal.
[[nodiscard]] std::string LerSenha(const std::string& pergunta);

}  // namespace nivra
