// The certificate store folder: PKCS#12 entries, one per certificate, named by serial number.
// Where the desktop keyring answers, an entry's key is encrypted under a random password the
// keyring keeps; elsewhere, and in entries made before the keyring was used, it opens without a
// password (readable by its owner only).
#pragma once

#include <string>
#include <vector>

#include "nivranfe/security/arquivo_pfx.h"
#include "nivranfe/security/chaveiro.h"
#include "nivranfe/security/dados_certificado.h"
#include "nivranfe/security/ssl_tipos.h"

namespace nivra {

// The store folder of a location, with a trailing "/"; not created. `NIVRA_CERT_STORE` when
// set; else /etc/nivra/certificados for slLocalMachine and, for every other location,
// `$XDG_DATA_HOME/nivra/certificados` (default ~/.local/share/nivra/certificados).
[[nodiscard]] std::string PastaRepositorioCertificados(TSSLStoreLocation local);

// Whether an import may write an entry that opens without a password when no keyring answers.
enum class TProtecaoEntrada { SeHouverChaveiro, ExigirChaveiro };

// Adds the PKCS#12 file `arquivoPFX` (opened with `senha`) to the store of `local` (mode 0600;
// folder created 0700), named by the serial number, so importing again replaces it; returns the
// imported certificate's data (Tipo tpcA1). When `chaveiro` answers, the entry is protected by it
// (ProtegerEntrada); otherwise it opens without a password and the log says once that the store
// is not protected, unless `protecao` is ExigirChaveiro, which refuses. Throws
// ENivraDFeException with the PFX import messages on a bad file or password, when the keyring is
// required and none answers, and when the entry or its password cannot be kept.
TDadosCertificado ImportarCertificadoPFX(
    const std::string& arquivoPFX, const std::string& senha,
    TSSLStoreLocation local = TSSLStoreLocation::slCurrentUser,
    TProtecaoEntrada protecao = TProtecaoEntrada::SeHouverChaveiro,
    TChaveiro& chaveiro = ChaveiroDaSessao());

// One entry of the store folder. Conteudo holds the certificate and its chain; its key too when
// the entry opens without a password. A protected entry's key stays out until
// AbrirEntradaRepositorio.
struct TEntradaRepositorio {
  std::string Arquivo;
  TConteudoPFX Conteudo;
  bool Protegida = false;
};

// Every entry of the store folder of `local`, in name order: those that open without a password
// and the protected ones (whose certificates are in clear), without asking the keyring; other
// files are skipped with a line on stderr. A missing folder is an empty store. Returns false
// when the folder exists but cannot be read.
[[nodiscard]] bool LerRepositorioCertificados(TSSLStoreLocation local,
                                              std::vector<TEntradaRepositorio>& entradas);

// Loads the key of a protected `entrada` with the password `chaveiro` keeps for its certificate
// (which may bring up the desktop's prompt to unlock the keyring); nothing for an entry whose key
// is already there. Throws ENivraDFeException when no keyring answers, it stays locked, it
// keeps no password for the certificate, or the entry does not open with it.
void AbrirEntradaRepositorio(TEntradaRepositorio& entrada,
                             TChaveiro& chaveiro = ChaveiroDaSessao());

// Writes `conteudo` to `arquivo` as an entry protected by `chaveiro` (GerarPFXProtegido): the
// password kept for the certificate's serial is reused, else a new random one is kept first,
// labelled with the certificate's name, CNPJ and serial. The entry is written beside `arquivo`,
// read back with the password asked again of the keyring, and only then renamed over `arquivo`,
// so an existing entry is replaced whole or stays as it was. Throws ENivraDFeException when the
// keyring fails or the written entry cannot be written or does not read back.
void ProtegerEntrada(const std::string& arquivo, const TConteudoPFX& conteudo,
                     const TDadosCertificado& dados, TChaveiro& chaveiro);

// Writes the log line that says the store's entries are not protected because no keyring
// answers; once per process, however often it is called.
void AvisarRepositorioSemChaveiro();

}  // namespace nivra
