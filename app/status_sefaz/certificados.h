// The certificate-store actions of status-sefaz: listing the store and importing a file.
#pragma once

#include <ostream>
#include <string>

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/security/chaveiro.h"
#include "nivranfe/security/repositorio_certificados.h"

namespace nivra {

// Writes one line per certificate of the store and the tokens reached by `nfe`'s facade:
// razão social, CNPJ, validity, authority, serial number and kind, separated by " | ", after a
// header line, then a line "Aviso: ..." when no `chaveiro` answers (the entries are not
// protected) or when entries open without a password. Throws ENivraDFeException when the store
// cannot be read.
void ListarCertificados(TNivraNFe& nfe, std::ostream& saida,
                        TChaveiro& chaveiro = ChaveiroDaSessao());

// Adds the PKCS#12 file to the current user's store, opened with `senha`, protected as
// `protecao` asks, and writes what was imported. Throws ENivraDFeException on a bad file or
// password, and as ImportarCertificadoPFX.
void ImportarCertificado(const std::string& arquivoPFX, const std::string& senha,
                         TProtecaoEntrada protecao, std::ostream& saida);

}  // namespace nivra
