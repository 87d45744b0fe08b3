// The certificate store folder: PKCS#12 entries that open without a password, one per
// certificate, named by serial number.
#pragma once

#include <string>
#include <vector>

#include "security/arquivo_pfx.h"
#include "security/dados_certificado.h"
#include "security/ssl_tipos.h"

// The store folder of a location, with a trailing "/"; not created. `NIVRA_CERT_STORE` when
// set; else /etc/nivra/certificados for slLocalMachine and, for every other location,
// `$XDG_DATA_HOME/nivra/certificados` (default ~/.local/share/nivra/certificados).
[[nodiscard]] std::string PastaRepositorioCertificados(TSSLStoreLocation local);

// Adds the PKCS#12 file `arquivoPFX` (opened with `senha`) to the store of `local` as an entry
// that opens without a password (mode 0600; folder created 0700), written atomically and named
// by the serial number, so importing again replaces it; returns the imported certificate's data
// (Tipo tpcA1). Throws ENivraDFeException with the PFX import messages on a bad file or
// password, and when the entry cannot be written.
TDadosCertificado ImportarCertificadoPFX(
    const std::string& arquivoPFX, const std::string& senha,
    TSSLStoreLocation local = TSSLStoreLocation::slCurrentUser);

// One entry of the store folder, opened.
struct TEntradaRepositorio {
  std::string Arquivo;
  TConteudoPFX Conteudo;
};

// Every entry of the store folder of `local` that opens without a password, in name order;
// the others are skipped with a line on stderr. A missing folder is an empty store. Returns
// false when the folder exists but cannot be read.
[[nodiscard]] bool LerRepositorioCertificados(TSSLStoreLocation local,
                                              std::vector<TEntradaRepositorio>& entradas);
