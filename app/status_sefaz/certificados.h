// The certificate-store actions of status-sefaz: listing the store and importing a file.
#pragma once

#include <ostream>
#include <string>

#include "dfe/nivra_nfe.h"

// Writes one line per certificate of the store and the tokens reached by `nfe`'s facade:
// razão social, CNPJ, validity, authority, serial number and kind, separated by " | ", after a
// header line. Throws ENivraDFeException when the store cannot be read.
void ListarCertificados(TNivraNFe& nfe, std::ostream& saida);

// Adds the PKCS#12 file to the current user's store, opened with `senha`, and writes what was
// imported. Throws ENivraDFeException on a bad file or password.
void ImportarCertificado(const std::string& arquivoPFX, const std::string& senha,
                         std::ostream& saida);
