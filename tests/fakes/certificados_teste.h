// Helpers for tests of the certificate store: the serial number of a PKI certificate, an empty
// store folder, and a private copy of the PKI's SoftHSM2 token.
#pragma once

#include <openssl/bn.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/variavel_ambiente.h"

namespace nivra {

// The serial number of the PKI certificate `nome`.pem in upper-case hexadecimal, read with
// OpenSSL's own number printing; empty when the file does not read.
inline std::string NumeroSeriePKI(const std::string& nome) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> arquivo(
      std::fopen((PastaPKITeste() + nome + ".pem").c_str(), "r"), &std::fclose);
  if (!arquivo) return "";
  std::unique_ptr<X509, void (*)(X509*)> certificado(
      PEM_read_X509(arquivo.get(), nullptr, nullptr, nullptr), &X509_free);
  if (!certificado) return "";
  std::unique_ptr<BIGNUM, void (*)(BIGNUM*)> numero(
      ASN1_INTEGER_to_BN(X509_get0_serialNumber(certificado.get()), nullptr), &BN_free);
  char* hex = BN_bn2hex(numero.get());
  std::string texto = hex;
  OPENSSL_free(hex);
  return texto;
}

// Points the certificate store at a fresh empty folder while it lives, so tests never read the
// user's own store.
class TRepositorioTeste {
 public:
  // User-provided, so that a const member of this type can be default-initialised.
  TRepositorioTeste() {}

  // The folder, with a trailing "/".
  std::string Caminho() const { return FPasta.Caminho(); }

 private:
  TPastaTemporaria FPasta;
  TVariavelAmbiente FVariavel{"NIVRA_CERT_STORE", FPasta.Caminho().c_str()};
};

// A copy of the PKI's token folder with its own SoftHSM2 configuration, made the process's
// PKCS#11 module while it lives, so wrong PINs never touch the shared token.
class TTokenTeste {
 public:
  // `modulo` is the PKCS#11 module to use over the copy.
  explicit TTokenTeste(const std::string& modulo = "/usr/lib/softhsm/libsofthsm2.so")
      : FModulo("NIVRA_PKCS11_MODULE", modulo.c_str()) {
    namespace fs = std::filesystem;
    fs::copy(PastaPKITeste() + "tokens", FPasta.Caminho() + "tokens", fs::copy_options::recursive);
    TPastaTemporaria::Escrever(FPasta.Caminho() + "softhsm2.conf",
                               "directories.tokendir = " + FPasta.Caminho() +
                                   "tokens\nobjectstore.backend = file\nlog.level = ERROR\n");
  }

  // Whether the PKI holds a token (its script skips it without the SoftHSM2 tools).
  static bool Disponivel() { return std::filesystem::exists(PastaPKITeste() + "tokens"); }

 private:
  TPastaTemporaria FPasta;
  TVariavelAmbiente FConfiguracao{"SOFTHSM2_CONF", (FPasta.Caminho() + "softhsm2.conf").c_str()};
  TVariavelAmbiente FModulo;
};

}  // namespace nivra
