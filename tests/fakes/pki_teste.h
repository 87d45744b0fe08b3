// The throw-away PKI of tools/gerar-pki.sh, made by the build in the build tree (again when the
// script changes). See the script for the files it holds; every .pfx opens with `SenhaPKITeste`
// (empresa-senha-longa.pfx with `SenhaLongaPKITeste`), the token "NIVRA-A3" with the PIN "1234".
#pragma once

#include <string>

#ifndef NIVRA_PKI_TESTE
#error "NIVRA_PKI_TESTE must name the test PKI folder (set by nivra_add_test)"
#endif

namespace nivra {

inline constexpr const char* SenhaPKITeste = "nivra";
// A password no program text could contain by chance, for scans of what the programs write.
inline constexpr const char* SenhaLongaPKITeste = "Qx7-senha-Inconfundivel-42";

// The folder of the PKI, with a trailing "/".
inline std::string PastaPKITeste() { return NIVRA_PKI_TESTE; }

}  // namespace nivra
