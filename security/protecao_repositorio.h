// Moving the certificate store's entries under the keyring, and removing an entry together with
// its keyring item.
#pragma once

#include <string>
#include <vector>

#include "nivranfe/security/chaveiro.h"
#include "nivranfe/security/ssl_tipos.h"

namespace nivra {

// What ProtegerRepositorioCertificados did, by entry file.
struct TResultadoProtecao {
  std::vector<std::string> Protegidas;    // now protected by the keyring
  std::vector<std::string> JaProtegidas;  // protected before
  std::vector<std::string> Falhas;        // "file: reason"; each left as it was
};

// Replaces every entry of the store of `local` that opens without a password with one protected
// by `chaveiro` (ProtegerEntrada), one at a time: an entry is replaced only after its protected
// copy reads back, so an interruption leaves each entry either as it was or protected, and both
// open. An entry that fails is reported and left as it was; the others go on. Throws
// ENivraDFeException when no keyring answers or the store folder cannot be read.
[[nodiscard]] TResultadoProtecao ProtegerRepositorioCertificados(
    TSSLStoreLocation local, TChaveiro& chaveiro = ChaveiroDaSessao());

// What RemoverCertificadoRepositorio removed.
struct TResultadoRemocao {
  std::vector<std::string> Arquivos;  // the entry files of the certificate
  bool ChaveiroConsultado = false;    // a keyring answered and was asked
  bool ItemChaveiro = false;          // it held the certificate's password
};

// Removes from the store of `local` the entries of the certificate of serial `numeroSerie`
// (letter case ignored), then its password from `chaveiro` when one answers; a password without
// entry, or an entry without password, is removed alone. Throws ENivraDFeException when neither
// exists, the folder cannot be read, a file cannot be removed, or the keyring fails.
[[nodiscard]] TResultadoRemocao RemoverCertificadoRepositorio(
    const std::string& numeroSerie, TSSLStoreLocation local = TSSLStoreLocation::slCurrentUser,
    TChaveiro& chaveiro = ChaveiroDaSessao());

}  // namespace nivra
